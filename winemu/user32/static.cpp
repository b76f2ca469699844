// The Static class: text, frames and rectangles, etched lines, icons and bitmaps. An SS_ICON or
// SS_BITMAP control loads the image its title names and takes the image's size (its client area
// becomes the image's size) unless SS_CENTERIMAGE or SS_REALSIZECONTROL is set. Every kind asks
// its parent for colours with WM_CTLCOLORSTATIC when drawn.
#include <string>

#include "gdi32/gdi.h"
#include "kernel32/resources.h"
#include "control_data.h"
#include "controls.h"
#include "icons.h"
#include "metrics.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

DWORD Type(const Window* w) { return w->style & SS_TYPEMASK; }

// The image name of the control's title: an ordinal from a template, "#123", or a name.
std::string ImageName(const Window* w, ResId& id) {
  if (w->createImage) {
    id = *w->createImage;
    return {};
  }
  std::string text = ToAnsi(w->text);
  id = ResIdFromA(text.c_str());
  return text;
}

void FitTo(Window* w, int width, int height) {
  if (w->style & (SS_CENTERIMAGE | SS_REALSIZECONTROL)) return;
  Insets in = FrameInsets(w->style, w->exStyle);
  SetWindowPos(w->handle, nullptr, 0, 0, width + in.left + in.right, height + in.top + in.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HANDLE SetImage(Window* w, StaticData& s, HANDLE image) {
  HANDLE old = s.image;
  s.image = image;
  if (Type(w) == SS_BITMAP) {
    if (auto size = gdi::BitmapOf(static_cast<HBITMAP>(image))) FitTo(w, size->width, size->height);
  } else if (Type(w) == SS_ICON) {
    if (auto info = IconOf(static_cast<HICON>(image))) FitTo(w, info->width, info->height);
  }
  Invalidate(w, true, false);
  return old;
}

void LoadImageOfTitle(Window* w, StaticData& s) {
  ResId id;
  std::string name = ImageName(w, id);
  if (!id.isString && id.id == 0 && name.empty()) return;
  LPCSTR arg = id.isString ? name.c_str() : MAKEINTRESOURCEA(id.id);
  HANDLE image = nullptr;
  if (Type(w) == SS_ICON) {
    image = LoadIconByName(w->instance ? w->instance : GetModuleHandleA(nullptr), arg);
  } else {
    image = LoadBitmapA(w->instance ? w->instance : GetModuleHandleA(nullptr), arg);
  }
  if (image) SetImage(w, s, image);
}

void Paint(Window* w, StaticData& s) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w->handle, &ps);
  if (w->font) SelectObject(dc, w->font);
  HBRUSH brush = ControlColor(w, dc, WM_CTLCOLORSTATIC);
  RECT r = ClientRectOf(w);
  switch (Type(w)) {
    case SS_ICON: DrawIcon(dc, 0, 0, static_cast<HICON>(s.image)); break;
    case SS_BITMAP: {
      HDC memory = CreateCompatibleDC(dc);
      if (s.image) SelectObject(memory, s.image);
      BitBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
      DeleteDC(memory);
      break;
    }
    case SS_BLACKRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW)); break;
    case SS_GRAYRECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW)); break;
    case SS_WHITERECT: FillRect(dc, &r, GetSysColorBrush(COLOR_3DHIGHLIGHT)); break;
    case SS_BLACKFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW)); break;
    case SS_GRAYFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW)); break;
    case SS_WHITEFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DHIGHLIGHT)); break;
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
    case SS_ETCHEDFRAME: FrameRect(dc, &r, GetSysColorBrush(COLOR_3DSHADOW)); break;
    default: {
      if (brush) FillRect(dc, &r, brush);
      std::string text = ToAnsi(w->text);
      UINT format = DT_WORDBREAK | (w->style & SS_NOPREFIX ? DT_NOPREFIX : 0);
      if (Type(w) == SS_CENTER) format |= DT_CENTER;
      if (Type(w) == SS_RIGHT) format |= DT_RIGHT;
      DrawTextA(dc, text.c_str(), -1, &r, format);
      break;
    }
  }
  EndPaint(w->handle, &ps);
}

}  // namespace

LRESULT CALLBACK StaticProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = W(hWnd);
  if (!w) return 0;
  if (!w->control) w->control = std::make_unique<StaticData>();
  auto& s = *w->Control<StaticData>();
  switch (msg) {
    case WM_CREATE:
      if (Type(w) == SS_ICON || Type(w) == SS_BITMAP) LoadImageOfTitle(w, s);
      return 0;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_NCHITTEST: return (w->style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
      if ((w->style & SS_NOTIFY) && w->parent)
        Send(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), STN_CLICKED), reinterpret_cast<LPARAM>(hWnd));
      return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w, s); return 0;
    case WM_ENABLE: Invalidate(w, true, false); return 0;
    case STM_SETIMAGE:
    case STM_SETICON: return reinterpret_cast<LRESULT>(SetImage(w, s, reinterpret_cast<HANDLE>(msg == STM_SETICON ? wParam : lParam)));
    case STM_GETIMAGE:
    case STM_GETICON: return reinterpret_cast<LRESULT>(s.image);
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) Invalidate(w, true, false);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(hWnd, msg, wParam, lParam);
      if (Type(w) == SS_ICON || Type(w) == SS_BITMAP) LoadImageOfTitle(w, s);
      Invalidate(w, true, false);
      return r;
    }
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}

}  // namespace winemu::user32
