#include "framework/Wnd.h"

#include <map>
#include <memory>
#include <vector>

namespace {

// The framework's own windows, while their window exists.
std::map<HWND, CWnd*>& PermanentMap() {
  static std::map<HWND, CWnd*> map;
  return map;
}

// Wrappers of other handles. A wrapper holds nothing but its handle, so it stays valid for a
// handle that comes back; the set is as large as the number of distinct handles asked for.
std::map<HWND, std::unique_ptr<CWnd>>& TemporaryMap() {
  static std::map<HWND, std::unique_ptr<CWnd>> map;
  return map;
}

}  // namespace

CWnd::~CWnd() { Detach(); }

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  auto found = PermanentMap().find(hWnd);
  return found == PermanentMap().end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (!hWnd) return nullptr;
  if (CWnd* permanent = FromHandlePermanent(hWnd)) return permanent;
  std::unique_ptr<CWnd>& wrapper = TemporaryMap()[hWnd];
  if (!wrapper) {
    wrapper = std::make_unique<CWnd>();
    wrapper->m_hWnd = hWnd;
  }
  return wrapper.get();
}

void CWnd::Attach(HWND hWnd) {
  Detach();
  m_hWnd = hWnd;
  TemporaryMap().erase(hWnd);
  PermanentMap()[hWnd] = this;
  m_bPermanent = true;
}

void CWnd::Detach() {
  if (m_bPermanent) {
    auto found = PermanentMap().find(m_hWnd);
    if (found != PermanentMap().end() && found->second == this) PermanentMap().erase(found);
    m_bPermanent = false;
  }
  m_hWnd = nullptr;
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

void CWnd::GetWindowText(std::string& text) const {
  std::vector<char> buffer(static_cast<size_t>(::GetWindowTextLengthA(m_hWnd)) + 1);
  int length = ::GetWindowTextA(m_hWnd, buffer.data(), static_cast<int>(buffer.size()));
  text.assign(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

void CWnd::SetFont(HFONT font, BOOL redraw) {
  ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw, 0));
}


namespace {

BOOL ModifyLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT flags) {
  DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, index));
  DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  ::SetWindowLongA(hWnd, index, static_cast<LONG>(changed));
  if (flags) ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
  return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) { return ModifyLong(m_hWnd, GWL_STYLE, remove, add, flags); }

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

void CWnd::ScreenToClient(LPRECT rect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
  return reinterpret_cast<HICON>(
      ::SendMessageA(m_hWnd, WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

CMenu* CWnd::GetSystemMenu(BOOL revert) {
  m_systemMenu.m_hMenu = ::GetSystemMenu(m_hWnd, revert);
  return m_systemMenu.m_hMenu ? &m_systemMenu : nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }
