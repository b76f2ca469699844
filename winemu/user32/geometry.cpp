// Window and client rectangles, coordinate mapping, SetWindowPos and MoveWindow.
#include <algorithm>

#include "metrics.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

POINT WindowOrigin(const Window* w) {
  POINT p{w->rect.left, w->rect.top};
  if (w->parent) {
    POINT o = ClientOrigin(w->parent);
    p.x += o.x;
    p.y += o.y;
  }
  return p;
}

bool IsDesktop(HWND h) { return !h || h == GetDesktopWindow(); }

void Restack(Window* w, HWND after) {
  auto& list = w->parent ? w->parent->children : WS().topLevels;
  list.erase(std::remove(list.begin(), list.end(), w), list.end());
  if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    list.insert(list.begin(), w);
  } else if (after == HWND_BOTTOM) {
    list.push_back(w);
  } else {
    auto it = std::find(list.begin(), list.end(), W(after));
    list.insert(it == list.end() ? list.begin() : it + 1, w);
  }
}

}  // namespace

POINT ClientOrigin(const Window* w) {
  POINT p = WindowOrigin(w);
  Insets in = FrameInsets(w->style, w->exStyle);
  return POINT{p.x + in.left, p.y + in.top};
}

RECT ClientRectOf(const Window* w) {
  Insets in = FrameInsets(w->style, w->exStyle);
  LONG width = (w->rect.right - w->rect.left) - in.left - in.right;
  LONG height = (w->rect.bottom - w->rect.top) - in.top - in.bottom;
  return RECT{0, 0, std::max<LONG>(0, width), std::max<LONG>(0, height)};
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags) {
  Window* w = WOrFail(hWnd);
  if (!w) return FALSE;
  WINDOWPOS pos{hWnd, hWndInsertAfter, X, Y, std::max(0, cx), std::max(0, cy), uFlags};
  if (uFlags & SWP_NOMOVE) {
    pos.x = w->rect.left;
    pos.y = w->rect.top;
  }
  if (uFlags & SWP_NOSIZE) {
    pos.cx = w->rect.right - w->rect.left;
    pos.cy = w->rect.bottom - w->rect.top;
  }
  if (!(uFlags & SWP_NOSENDCHANGING)) Send(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  if (!w->alive) return TRUE;
  RECT old = w->rect;
  RECT now{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
  bool moved = now.left != old.left || now.top != old.top;
  bool sized = (now.right - now.left) != (old.right - old.left) || (now.bottom - now.top) != (old.bottom - old.top);
  w->rect = now;
  if (!(pos.flags & SWP_NOZORDER)) Restack(w, pos.hwndInsertAfter);
  if ((moved || sized) && !(pos.flags & SWP_NOREDRAW)) {
    Invalidate(w, true, true);
    if (w->parent) Invalidate(w->parent, true, false);
  }
  if (pos.flags & SWP_SHOWWINDOW) SetVisible(w, true, false, !(pos.flags & SWP_NOACTIVATE));
  if (pos.flags & SWP_HIDEWINDOW) SetVisible(w, false, false, false);
  if (!w->alive) return TRUE;
  if (!(pos.flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) && !w->IsChild() && IsVisibleTree(w)) Activate(w);
  if (!moved) pos.flags |= SWP_NOMOVE;
  if (!sized) pos.flags |= SWP_NOSIZE;
  Send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
  return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect) {
  if (!lpRect) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  if (hWnd == GetDesktopWindow()) {
    *lpRect = RECT{0, 0, kScreenWidth, kScreenHeight};
    return TRUE;
  }
  Window* w = WOrFail(hWnd);
  if (!w) return FALSE;
  POINT o = w->parent ? ClientOrigin(w->parent) : POINT{0, 0};
  *lpRect = RECT{w->rect.left + o.x, w->rect.top + o.y, w->rect.right + o.x, w->rect.bottom + o.y};
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect) {
  if (!lpRect) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  if (hWnd == GetDesktopWindow()) {
    *lpRect = RECT{0, 0, kScreenWidth, kScreenHeight};
    return TRUE;
  }
  Window* w = WOrFail(hWnd);
  if (!w) return FALSE;
  *lpRect = ClientRectOf(w);
  return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
  Window* w = WOrFail(hWnd);
  if (!w || !lpPoint) return FALSE;
  POINT o = ClientOrigin(w);
  lpPoint->x -= o.x;
  lpPoint->y -= o.y;
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
  Window* w = WOrFail(hWnd);
  if (!w || !lpPoint) return FALSE;
  POINT o = ClientOrigin(w);
  lpPoint->x += o.x;
  lpPoint->y += o.y;
  return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints) {
  auto origin = [](HWND h, POINT& o) {
    if (IsDesktop(h)) {
      o = POINT{0, 0};
      return true;
    }
    Window* w = WOrFail(h);
    if (!w) return false;
    o = ClientOrigin(w);
    return true;
  };
  POINT from{}, to{};
  if (!origin(hWndFrom, from) || !origin(hWndTo, to)) return 0;
  LONG dx = from.x - to.x;
  LONG dy = from.y - to.y;
  for (UINT i = 0; lpPoints && i < cPoints; ++i) {
    lpPoints[i].x += dx;
    lpPoints[i].y += dy;
  }
  SetError(0);
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}
