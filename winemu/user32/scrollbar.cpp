// The ScrollBar class as a control: a range and a position; it asks its parent for colours with
// WM_CTLCOLORSCROLLBAR when drawn. (Scrolling by mouse is not emulated.)
#include <algorithm>

#include "control_data.h"
#include "controls.h"
#include "window_ops.h"

namespace winemu::user32 {

LRESULT CALLBACK ScrollBarProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = W(hWnd);
  if (!w) return 0;
  if (!w->control) w->control = std::make_unique<ScrollBarData>();
  auto& s = *w->Control<ScrollBarData>();
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hWnd, &ps);
      HBRUSH brush = ControlColor(w, dc, WM_CTLCOLORSCROLLBAR);
      RECT r = ClientRectOf(w);
      if (brush) FillRect(dc, &r, brush);
      EndPaint(hWnd, &ps);
      return 0;
    }
    case WM_ENABLE: Invalidate(w, true, false); return 0;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
      s.low = static_cast<int>(wParam);
      s.high = static_cast<int>(lParam);
      s.pos = std::clamp(s.pos, std::min(s.low, s.high), std::max(s.low, s.high));
      Invalidate(w, true, false);
      return s.pos;
    case SBM_GETRANGE:
      if (wParam) *reinterpret_cast<int*>(wParam) = s.low;
      if (lParam) *reinterpret_cast<int*>(lParam) = s.high;
      return 0;
    case SBM_SETPOS: {
      int old = s.pos;
      s.pos = std::clamp(static_cast<int>(wParam), std::min(s.low, s.high), std::max(s.low, s.high));
      if (lParam) Invalidate(w, true, false);
      return old;
    }
    case SBM_GETPOS: return s.pos;
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}

}  // namespace winemu::user32
