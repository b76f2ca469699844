// Keyboard focus and window activation. SetFocus fails on a window that is (or lies inside) a
// disabled or minimized window, and activates the top-level window it lies in; the window that
// becomes active gets WM_ACTIVATE and, when the focus is not inside it, the focus itself.
#include <algorithm>

#include "window_ops.h"

namespace winemu::user32 {
namespace {

bool CanActivate(const Window* t, const Window* leaving) {
  return t && t != leaving && t->alive && !t->IsChild() && (t->style & WS_VISIBLE) && !(t->style & WS_DISABLED);
}

void BringToTop(Window* top) {
  auto& list = WS().topLevels;
  list.erase(std::remove(list.begin(), list.end(), top), list.end());
  list.insert(list.begin(), top);
}

}  // namespace

HWND SetFocusInternal(Window* w) {
  auto& ws = WS();
  HWND old = ws.focus;
  HWND h = w ? w->handle : nullptr;
  if (old == h) return old;
  ws.focus = h;
  if (W(old)) Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(h), 0);
  if (ws.focus != h) return old;
  if (w && w->alive) Send(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

void Activate(Window* top) {
  auto& ws = WS();
  if (!top || !top->alive || top->IsChild()) return;
  HWND old = ws.active;
  if (old == top->handle) return;
  ws.active = top->handle;
  BringToTop(top);
  if (Window* o = W(old)) {
    Send(o, WM_NCACTIVATE, FALSE, 0);
    Send(o, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, (o->style & WS_MINIMIZE) ? 1 : 0), reinterpret_cast<LPARAM>(top->handle));
  }
  if (ws.active != top->handle || !top->alive) return;
  Send(top, WM_NCACTIVATE, TRUE, 0);
  Send(top, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, (top->style & WS_MINIMIZE) ? 1 : 0), reinterpret_cast<LPARAM>(old));
  if (ws.active != top->handle || !top->alive) return;
  Window* f = W(ws.focus);
  if (!f || Root(f) != top) SetFocusInternal(top);
}

void ActivateOther(Window* leaving) {
  auto& ws = WS();
  Window* to = nullptr;
  if ((leaving->style & WS_POPUP) && leaving->owner && CanActivate(Root(leaving->owner), leaving)) to = Root(leaving->owner);
  if (!to)
    for (Window* t : ws.topLevels)
      if (CanActivate(t, leaving)) {
        to = t;
        break;
      }
  if (to) {
    Activate(to);
    return;
  }
  if (ws.active != leaving->handle) return;
  ws.active = nullptr;
  Send(leaving, WM_NCACTIVATE, FALSE, 0);
  Send(leaving, WM_ACTIVATE, WA_INACTIVE, 0);
  if (Window* f = W(ws.focus); f && Root(f) == leaving) SetFocusInternal(nullptr);
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

HWND WINAPI GetFocus(void) { return W(WS().focus) ? WS().focus : nullptr; }

HWND WINAPI SetFocus(HWND hWnd) {
  if (!hWnd) return SetFocusInternal(nullptr);
  Window* w = WOrFail(hWnd);
  if (!w) return nullptr;
  auto& ws = WS();
  if (ws.focus == hWnd) return hWnd;
  for (Window* a = w; a; a = a->IsChild() ? a->parent : nullptr)
    if (a->style & (WS_MINIMIZE | WS_DISABLED)) return nullptr;
  Window* top = Root(w);
  if (ws.active != top->handle) {
    Activate(top);
    if (!w->alive || ws.active != top->handle) return nullptr;
  }
  return SetFocusInternal(w);
}

HWND WINAPI GetActiveWindow(void) { return W(WS().active) ? WS().active : nullptr; }

HWND WINAPI SetActiveWindow(HWND hWnd) {
  Window* w = WOrFail(hWnd);
  if (!w || w->IsChild()) return nullptr;
  HWND old = GetActiveWindow();
  Activate(w);
  return old;
}

HWND WINAPI GetCapture(void) { return W(WS().capture) ? WS().capture : nullptr; }

HWND WINAPI SetCapture(HWND hWnd) {
  HWND old = GetCapture();
  WS().capture = W(hWnd) ? hWnd : nullptr;
  return old;
}

BOOL WINAPI ReleaseCapture(void) {
  WS().capture = nullptr;
  return TRUE;
}
