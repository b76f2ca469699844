// comctl32's progress bar (msctls_progress32): range (0 to 100 by default), position, step.
// It draws in its own colours and asks its parent for none. InitCommonControls has nothing to do:
// the class is registered with the others.
#include <algorithm>
#include <cstdio>

#include <commctrl.h>

#include "control_data.h"
#include "controls.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

void SetPos(Window* w, ProgressData& p, int pos) {
  int now = std::clamp(pos, std::min(p.low, p.high), std::max(p.low, p.high));
  if (now != p.pos) Invalidate(w, false, false);
  p.pos = now;
}

LRESULT SetRange(Window* w, ProgressData& p, int low, int high) {
  LRESULT old = MAKELONG(static_cast<WORD>(p.low), static_cast<WORD>(p.high));
  p.low = low;
  p.high = high;
  SetPos(w, p, p.pos);
  Invalidate(w, true, false);
  return old;
}

void Paint(Window* w, const ProgressData& p) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w->handle, &ps);
  RECT r = ClientRectOf(w);
  FillRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
  char op[64];
  std::snprintf(op, sizeof op, "Progress %d of %d..%d", p.pos, p.low, p.high);
  TextOutA(dc, 0, 0, op, static_cast<int>(std::char_traits<char>::length(op)));
  EndPaint(w->handle, &ps);
}

}  // namespace

LRESULT CALLBACK ProgressProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = W(hWnd);
  if (!w) return 0;
  if (!w->control) w->control = std::make_unique<ProgressData>();
  auto& p = *w->Control<ProgressData>();
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w, p); return 0;
    case PBM_SETRANGE: return SetRange(w, p, static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam)));
    case PBM_SETRANGE32: return SetRange(w, p, static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE:
      if (lParam) *reinterpret_cast<PBRANGE*>(lParam) = PBRANGE{p.low, p.high};
      return wParam ? p.low : p.high;
    case PBM_SETPOS: {
      int old = p.pos;
      SetPos(w, p, static_cast<int>(wParam));
      return old;
    }
    case PBM_DELTAPOS: {
      int old = p.pos;
      SetPos(w, p, p.pos + static_cast<int>(wParam));
      return old;
    }
    case PBM_SETSTEP: {
      int old = p.step;
      p.step = static_cast<int>(wParam);
      return old;
    }
    case PBM_STEPIT: {
      int old = p.pos;
      int next = p.pos + p.step;
      if (next > p.high) next = p.low + (next - p.high);  // past the end it starts over
      SetPos(w, p, next);
      return old;
    }
    case PBM_GETPOS: return p.pos;
    case PBM_SETBARCOLOR: {
      COLORREF old = p.bar;
      p.bar = static_cast<COLORREF>(lParam);
      return old;
    }
    case PBM_SETBKCOLOR: {
      COLORREF old = p.background;
      p.background = static_cast<COLORREF>(lParam);
      return old;
    }
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}

}  // namespace winemu::user32

void WINAPI InitCommonControls(void) {}

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
  return picce && picce->dwSize == sizeof(INITCOMMONCONTROLSEX);
}
