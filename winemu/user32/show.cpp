// ShowWindow (WM_SHOWWINDOW only when the visibility changes) and EnableWindow (WM_ENABLE).
#include "window_ops.h"

namespace winemu::user32 {

void SetVisible(Window* w, bool visible, bool notify, bool activate) {
  bool was = (w->style & WS_VISIBLE) != 0;
  if (was == visible) {
    if (visible && activate && !w->IsChild()) Activate(w);
    return;
  }
  if (notify) {
    Send(w, WM_SHOWWINDOW, visible ? TRUE : FALSE, 0);
    if (!w->alive) return;
  }
  if (visible) {
    w->style |= WS_VISIBLE;
    Invalidate(w, true, true);
    if (activate && !w->IsChild()) Activate(w);
    return;
  }
  w->style &= ~static_cast<DWORD>(WS_VISIBLE);
  auto& ws = WS();
  // The focus inside a window that disappears goes to its parent.
  if (Window* f = W(ws.focus); f && (f == w || IsDescendant(w, f))) {
    if (w->parent) SetFocus(w->parent->handle);
    else SetFocusInternal(nullptr);
  }
  if (ws.active == w->handle) ActivateOther(w);
  if (w->parent) Invalidate(w->parent, true, false);
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
  Window* w = WOrFail(hWnd);
  if (!w) return FALSE;
  BOOL was = (w->style & WS_VISIBLE) ? TRUE : FALSE;
  DWORD sizeState = w->style & (WS_MINIMIZE | WS_MAXIMIZE);
  auto resize = [&](WPARAM kind) {
    if ((w->style & (WS_MINIMIZE | WS_MAXIMIZE)) == sizeState || !w->alive) return;
    RECT c = ClientRectOf(w);
    Send(w, WM_SIZE, kind, MAKELPARAM(c.right, c.bottom));
  };
  switch (nCmdShow) {
    case SW_HIDE:
      if (was) SetVisible(w, false, true, false);
      return was;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      w->style = (w->style | WS_MINIMIZE) & ~static_cast<DWORD>(WS_MAXIMIZE);
      SetVisible(w, true, true, nCmdShow == SW_SHOWMINIMIZED);
      resize(SIZE_MINIMIZED);
      return was;
    case SW_SHOWMAXIMIZED:
      w->style = (w->style | WS_MAXIMIZE) & ~static_cast<DWORD>(WS_MINIMIZE);
      SetVisible(w, true, true, true);
      resize(SIZE_MAXIMIZED);
      return was;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      w->style &= ~static_cast<DWORD>(WS_MINIMIZE | WS_MAXIMIZE);
      SetVisible(w, true, true, true);
      resize(SIZE_RESTORED);
      return was;
    case SW_SHOW: SetVisible(w, true, true, true); return was;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE: SetVisible(w, true, true, false); return was;
    default: return SetError(ERROR_INVALID_PARAMETER), FALSE;
  }
}

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable) {
  Window* w = WOrFail(hWnd);
  if (!w) return FALSE;
  BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
  if (bEnable && wasDisabled) {
    w->style &= ~static_cast<DWORD>(WS_DISABLED);
    Send(w, WM_ENABLE, TRUE, 0);
    if (w->alive) Invalidate(w, true, false);
  } else if (!bEnable && !wasDisabled) {
    Send(w, WM_CANCELMODE, 0, 0);
    if (!w->alive) return FALSE;
    w->style |= WS_DISABLED;
    if (WS().focus == hWnd) SetFocusInternal(nullptr);  // a disabled window cannot keep the focus
    if (WS().capture == hWnd) WS().capture = nullptr;
    Send(w, WM_ENABLE, FALSE, 0);
    if (w->alive) Invalidate(w, true, false);
  }
  return wasDisabled;
}
