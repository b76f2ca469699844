// DefWindowProcA: the default handling of every window message winemu's windows get.
#include "metrics.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

HBRUSH DefaultControlColor(HDC dc, UINT msg) {
  if (msg == WM_CTLCOLORSCROLLBAR) {
    SetTextColor(dc, SysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, SysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_SCROLLBAR);
  }
  SetTextColor(dc, SysColor(COLOR_WINDOWTEXT));
  if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) {
    SetBkColor(dc, SysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
  }
  SetBkColor(dc, SysColor(COLOR_3DFACE));
  return GetSysColorBrush(COLOR_3DFACE);
}

}  // namespace
}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* w = W(hWnd);
  if (!w) return 0;
  switch (Msg) {
    case WM_NCCREATE: {
      if (w->createText) {
        w->text = *w->createText;
      } else if (auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam); cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
        w->text = FromAnsi(cs->lpszName);
      }
      return TRUE;
    }
    case WM_SETTEXT: w->text = FromAnsi(reinterpret_cast<const char*>(lParam)); return TRUE;
    case WM_GETTEXT: return CopyAnsi(w->text, reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(ToAnsi(w->text).size());
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hWnd, &ps);
      EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      HBRUSH brush = w->cls->background;
      if (!brush) return 0;
      RECT r = ClientRectOf(w);
      FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
      return 1;
    }
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE: Send(w, WM_CLOSE, 0, 0); break;
        case SC_MINIMIZE: ShowWindow(hWnd, SW_MINIMIZE); break;
        case SC_MAXIMIZE: ShowWindow(hWnd, SW_MAXIMIZE); break;
        case SC_RESTORE: ShowWindow(hWnd, SW_RESTORE); break;
        default: break;
      }
      return 0;
    case WM_NCLBUTTONDOWN:
      if (wParam == HTCLOSE) Send(w, WM_SYSCOMMAND, SC_CLOSE, lParam);
      return 0;
    case WM_SYSKEYDOWN:
      // Alt+F4 closes the top-level window, whichever of its controls has the focus.
      if (wParam == VK_F4 && (lParam & (1 << 29))) Post(Root(w)->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(DefaultControlColor(reinterpret_cast<HDC>(wParam), Msg));
    case WM_SETICON: {
      HICON& slot = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
      HICON old = slot;
      slot = reinterpret_cast<HICON>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(w->cls->icon);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE)) SetFocus(hWnd);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (!pos) return 0;
      if (!(pos->flags & SWP_NOMOVE)) {
        POINT o = ClientOrigin(w);
        if (w->parent) {
          POINT po = ClientOrigin(w->parent);
          o.x -= po.x;
          o.y -= po.y;
        }
        Send(w, WM_MOVE, 0, MAKELPARAM(o.x, o.y));
      }
      if (!(pos->flags & SWP_NOSIZE) && w->alive) {
        RECT c = ClientRectOf(w);
        WPARAM kind = (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        Send(w, WM_SIZE, kind, MAKELPARAM(c.right, c.bottom));
      }
      return 0;
    }
    case WM_NCACTIVATE: return TRUE;
    case WM_MOUSEACTIVATE: return MA_ACTIVATE;
    case WM_NCHITTEST: return HTCLIENT;
    case WM_CANCELMODE:
      if (WS().capture == hWnd) ReleaseCapture();
      return 0;
    default: return 0;
  }
}
