// The window tree: GetWindow, GetParent, IsChild, EnumChildWindows, GetDlgItem ...
#include <algorithm>

#include "window_ops.h"

namespace winemu::user32 {
namespace {

const std::vector<Window*>& Siblings(const Window* w) { return w->parent ? w->parent->children : WS().topLevels; }

void Descendants(const Window* w, std::vector<HWND>& out) {
  for (Window* c : w->children) {
    out.push_back(c->handle);
    Descendants(c, out);
  }
}

}  // namespace
}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

BOOL WINAPI IsWindow(HWND hWnd) { return W(hWnd) != nullptr; }

HWND WINAPI GetDesktopWindow(void) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x00010000)); }

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd) {
  Window* w = WOrFail(hWnd);
  if (!w) return nullptr;
  const auto& list = Siblings(w);
  auto it = std::find(list.begin(), list.end(), w);
  switch (uCmd) {
    case GW_HWNDFIRST: return list.empty() ? nullptr : list.front()->handle;
    case GW_HWNDLAST: return list.empty() ? nullptr : list.back()->handle;
    case GW_HWNDNEXT: return (it == list.end() || it + 1 == list.end()) ? nullptr : (*(it + 1))->handle;
    case GW_HWNDPREV: return (it == list.end() || it == list.begin()) ? nullptr : (*(it - 1))->handle;
    case GW_OWNER: return w->owner ? w->owner->handle : nullptr;
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front()->handle;
    case GW_ENABLEDPOPUP: return nullptr;
    default: return SetError(ERROR_INVALID_PARAMETER), nullptr;
  }
}

HWND WINAPI GetParent(HWND hWnd) {
  Window* w = WOrFail(hWnd);
  if (!w) return nullptr;
  if (w->parent) return w->parent->handle;
  if ((w->style & WS_POPUP) && w->owner) return w->owner->handle;
  return nullptr;
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd) {
  Window* p = W(hWndParent);
  Window* w = W(hWnd);
  if (!p || !w) return FALSE;
  for (Window* a = w; a->parent && a->IsChild(); a = a->parent)
    if (a->parent == p) return TRUE;
  return FALSE;
}

BOOL WINAPI EnumChildWindows(HWND hWndParent, WNDENUMPROC lpEnumFunc, LPARAM lParam) {
  Window* p = hWndParent ? WOrFail(hWndParent) : nullptr;
  if ((hWndParent && !p) || !lpEnumFunc) return FALSE;
  std::vector<HWND> list;
  if (p) {
    Descendants(p, list);
  } else {
    for (Window* t : WS().topLevels) list.push_back(t->handle);
  }
  for (HWND h : list)
    if (W(h) && !lpEnumFunc(h, lParam)) break;
  return TRUE;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
  Window* d = WOrFail(hDlg);
  if (!d) return nullptr;
  for (Window* c : d->children)
    if (c->id == static_cast<LONG_PTR>(nIDDlgItem)) return c->handle;
  return SetError(ERROR_CONTROL_ID_NOT_FOUND), nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd) {
  Window* w = WOrFail(hWnd);
  if (!w) return 0;
  return w->IsChild() ? static_cast<int>(w->id) : 0;
}
