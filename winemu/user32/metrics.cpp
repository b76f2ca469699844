// GetSystemMetrics, the system colours and AdjustWindowRectEx on the fixed metrics of metrics.h.
#include "metrics.h"

#include "gdi32/gdi.h"
#include "machine/machine.h"

namespace winemu::user32 {

Insets FrameInsets(DWORD style, DWORD exStyle) {
  int frame = 0;
  bool dialogFrame = (exStyle & WS_EX_DLGMODALFRAME) || ((style & WS_DLGFRAME) && !(style & WS_THICKFRAME));
  if (style & WS_THICKFRAME) frame = kSizingFrame;
  else if (dialogFrame) frame = kDialogFrame;
  else if (style & WS_BORDER) frame = kBorder;
  if (exStyle & WS_EX_CLIENTEDGE) frame += kClientEdge;
  if (exStyle & WS_EX_STATICEDGE) frame += kBorder;
  Insets in{frame, frame, frame, frame};
  if ((style & WS_CAPTION) == WS_CAPTION) in.top += (exStyle & WS_EX_TOOLWINDOW) ? kSmallCaption : kCaption;
  if (style & WS_VSCROLL) in.right += kScrollBar;
  if (style & WS_HSCROLL) in.bottom += kScrollBar;
  return in;
}

COLORREF SysColor(int index) {
  switch (index) {
    case COLOR_SCROLLBAR: return RGB(212, 208, 200);
    case COLOR_BACKGROUND: return RGB(58, 110, 165);
    case COLOR_ACTIVECAPTION: return RGB(10, 36, 106);
    case COLOR_INACTIVECAPTION: return RGB(128, 128, 128);
    case COLOR_MENU: return RGB(212, 208, 200);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(0, 0, 0);
    case COLOR_MENUTEXT: return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
    case COLOR_ACTIVEBORDER: return RGB(212, 208, 200);
    case COLOR_INACTIVEBORDER: return RGB(212, 208, 200);
    case COLOR_APPWORKSPACE: return RGB(128, 128, 128);
    case COLOR_HIGHLIGHT: return RGB(10, 36, 106);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(212, 208, 200);
    case COLOR_BTNSHADOW: return RGB(128, 128, 128);
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT: return RGB(212, 208, 200);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(64, 64, 64);
    case COLOR_3DLIGHT: return RGB(212, 208, 200);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    default: return 0;
  }
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

int WINAPI GetSystemMetrics(int nIndex) {
  switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED: return kScreenWidth;
    case SM_CYSCREEN:
    case SM_CYMAXIMIZED: return kScreenHeight;
    case SM_CYFULLSCREEN: return kScreenHeight - kCaption;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return kScrollBar;
    case SM_CYCAPTION: return kCaption;
    case SM_CYSMCAPTION: return kSmallCaption;
    case SM_CXBORDER:
    case SM_CYBORDER: return kBorder;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return kDialogFrame;
    case SM_CXFRAME:
    case SM_CYFRAME: return kSizingFrame;
    case SM_CXEDGE:
    case SM_CYEDGE: return kClientEdge;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return kIcon;
    case SM_CXSMICON:
    case SM_CYSMICON: return kSmallIcon;
    case SM_CYMENU: return 19;
    case SM_CXSIZE:
    case SM_CYSIZE: return 18;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_MOUSEPRESENT: return 1;
    case SM_CMONITORS: return 1;
    default: return 0;
  }
}

HBRUSH WINAPI GetSysColorBrush(int nIndex) {
  if (nIndex < 0 || nIndex > COLOR_INFOBK) return nullptr;
  return gdi::SysColorBrush(nIndex, SysColor(nIndex));
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL, DWORD dwExStyle) {
  if (!lpRect) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  Insets in = FrameInsets(dwStyle & ~(WS_VSCROLL | WS_HSCROLL), dwExStyle);
  lpRect->left -= in.left;
  lpRect->top -= in.top;
  lpRect->right += in.right;
  lpRect->bottom += in.bottom;
  return TRUE;
}
