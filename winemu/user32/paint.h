// Painting records: each time a window is drawn (BeginPaint to EndPaint, GetDC to ReleaseDC) the
// state it was drawn with is kept, so tests can ask what a control was drawn with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace winemu::user32 {

struct Drawing {
  HWND window = nullptr;
  std::uint64_t timeMs = 0;
  // The WM_CTLCOLOR* message the window sent to its parent for this drawing (0 for none), the
  // brush it was answered with, and the DC's state right after the answer.
  UINT ctlColorMessage = 0;
  HBRUSH brush = nullptr;
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = RGB(0, 0, 0);
  HGDIOBJ font = nullptr;
  std::vector<std::string> ops;  // what was drawn, in order ("FillRect ...", "DrawText ...")
};

// The window's last completed drawing, and how often it was drawn.
std::optional<Drawing> LastDrawing(HWND window);
int DrawingCount(HWND window);

// For the controls: the WM_CTLCOLOR* answer of this drawing.
void RecordCtlColor(HDC dc, UINT message, HBRUSH brush);

}  // namespace winemu::user32
