// The fixed metrics of the emulated display: 1024 x 768 at 96 dpi, the classic (Windows 2000)
// look. Caption 19 px (SM_CYCAPTION); frames: a dialog (modal) frame 3 px (SM_CXDLGFRAME), a
// sizing frame 4 px (SM_CXFRAME), a thin border 1 px (SM_CXBORDER), a client edge 2 px
// (SM_CXEDGE), a static edge 1 px; scroll bars 16 px; icons 32 x 32, small icons 16 x 16.
// So a DS_MODALFRAME | WS_CAPTION dialog's window is its client area plus 3 px on the left,
// right and bottom and 3 + 19 px on top.
#pragma once

#include <windows.h>

namespace winemu::user32 {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kCaption = 19;
constexpr int kSmallCaption = 16;
constexpr int kDialogFrame = 3;
constexpr int kSizingFrame = 4;
constexpr int kBorder = 1;
constexpr int kClientEdge = 2;
constexpr int kScrollBar = 16;
constexpr int kIcon = 32;
constexpr int kSmallIcon = 16;

// The non-client parts around the client area for a style.
struct Insets {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};
Insets FrameInsets(DWORD style, DWORD exStyle);

// The classic colour scheme.
COLORREF SysColor(int index);

}  // namespace winemu::user32
