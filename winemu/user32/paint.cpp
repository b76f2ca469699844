// Update regions (a whole-window flag each), WM_PAINT with BeginPaint/EndPaint, window DCs and
// the drawing calls of user32, recorded per drawing (paint.h).
#include "paint.h"

#include <cstdio>
#include <map>

#include "gdi32/fonts.h"
#include "gdi32/gdi.h"
#include "metrics.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

struct DrawingLog {
  explicit DrawingLog(Machine&) {}
  std::map<HDC, Drawing> open;
  std::map<HWND, std::pair<Drawing, int>> done;
};

DrawingLog& Log() { return M().State<DrawingLog>(); }

HDC OpenDc(Window* w) {
  gdi::DeviceContext dc;
  dc.window = w ? w->handle : nullptr;
  dc.brush = GetStockObject(WHITE_BRUSH);
  dc.pen = GetStockObject(BLACK_PEN);
  dc.font = GetStockObject(SYSTEM_FONT);
  HDC h = gdi::Gdi().AddDc(dc);
  Drawing d;
  d.window = dc.window;
  d.timeMs = M().Now();
  Log().open[h] = d;
  return h;
}

bool CloseDc(HDC h) {
  auto& log = Log();
  auto it = log.open.find(h);
  gdi::DeviceContext* dc = gdi::Gdi().Dc(h);
  if (it == log.open.end() || !dc) return false;
  Drawing d = it->second;
  if (!d.ctlColorMessage) {
    d.bkMode = dc->bkMode;
    d.bkColor = dc->bkColor;
    d.textColor = dc->textColor;
    d.font = dc->font;
  }
  d.ops = dc->ops;
  log.open.erase(it);
  gdi::Gdi().DeleteDc(h);
  if (d.window) {
    auto& slot = log.done[d.window];
    slot.first = d;
    ++slot.second;
  }
  return true;
}

void Op(HDC h, const std::string& text) {
  if (gdi::DeviceContext* dc = gdi::Gdi().Dc(h)) dc->ops.push_back(text);
}

HBRUSH BrushArgument(HBRUSH brush) {
  auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value >= 1 && value <= COLOR_INFOBK + 1) return GetSysColorBrush(static_cast<int>(value - 1));
  return brush;
}

std::string RectText(const RECT* r) {
  char text[64];
  std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", static_cast<long>(r->left), static_cast<long>(r->top),
                static_cast<long>(r->right), static_cast<long>(r->bottom));
  return text;
}

void InvalidateTree(Window* w, const RECT* area, bool erase, bool children) {
  if (!w->alive) return;
  w->needPaint = true;
  if (erase) w->needErase = true;
  if (!children) return;
  for (Window* c : w->children) {
    RECT common;
    if (area && !IntersectRect(&common, area, &c->rect)) continue;
    InvalidateTree(c, nullptr, erase, !(c->style & WS_CLIPCHILDREN));
  }
}

}  // namespace

void Invalidate(Window* w, bool erase, bool children) { InvalidateTree(w, nullptr, erase, children); }

void PaintNow(Window* w, bool children) {
  if (!w->alive || !IsVisibleTree(w)) return;
  if (w->needPaint) Send(w, WM_PAINT, 0, 0);
  if (!children || !w->alive) return;
  std::vector<Window*> list = w->children;
  for (Window* c : list)
    if (c->alive) PaintNow(c, true);
}

std::optional<Drawing> LastDrawing(HWND window) {
  auto& done = Log().done;
  auto it = done.find(window);
  if (it == done.end()) return std::nullopt;
  return it->second.first;
}

int DrawingCount(HWND window) {
  auto& done = Log().done;
  auto it = done.find(window);
  return it == done.end() ? 0 : it->second.second;
}

void RecordCtlColor(HDC h, UINT message, HBRUSH brush) {
  auto& open = Log().open;
  auto it = open.find(h);
  gdi::DeviceContext* dc = gdi::Gdi().Dc(h);
  if (it == open.end() || !dc) return;
  it->second.ctlColorMessage = message;
  it->second.brush = brush;
  it->second.bkMode = dc->bkMode;
  it->second.bkColor = dc->bkColor;
  it->second.textColor = dc->textColor;
  it->second.font = dc->font;
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  if (!hWnd) {
    for (Window* t : WS().topLevels) InvalidateTree(t, nullptr, bErase, true);
    return TRUE;
  }
  Window* w = WOrFail(hWnd);
  if (!w) return FALSE;
  InvalidateTree(w, lpRect, bErase, !(w->style & WS_CLIPCHILDREN));
  return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
  Window* w = WOrFail(hWnd);
  if (!w) return FALSE;
  PaintNow(w, true);
  return TRUE;
}

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN, UINT flags) {
  Window* w = WOrFail(hWnd);
  if (!w) return FALSE;
  bool children = (flags & RDW_ALLCHILDREN) || !(w->style & WS_CLIPCHILDREN);
  if (flags & RDW_INVALIDATE) InvalidateTree(w, lprcUpdate, (flags & RDW_ERASE) != 0, children);
  if (flags & RDW_VALIDATE) {
    w->needPaint = false;
    w->needErase = false;
  }
  if (flags & RDW_UPDATENOW) PaintNow(w, (flags & RDW_ALLCHILDREN) != 0);
  return TRUE;
}

HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  Window* w = WOrFail(hWnd);
  if (!w || !lpPaint) return nullptr;
  HDC dc = OpenDc(w);
  bool erase = w->needErase;
  w->needPaint = false;
  w->needErase = false;
  w->paintsInARow = 0;
  *lpPaint = PAINTSTRUCT{};
  lpPaint->hdc = dc;
  lpPaint->rcPaint = ClientRectOf(w);
  if (erase) lpPaint->fErase = Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  return dc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT* lpPaint) {
  if (!lpPaint) return FALSE;
  CloseDc(lpPaint->hdc);
  return TRUE;
}

HDC WINAPI GetDC(HWND hWnd) {
  if (!hWnd) return OpenDc(nullptr);
  Window* w = WOrFail(hWnd);
  return w ? OpenDc(w) : nullptr;
}

int WINAPI ReleaseDC(HWND, HDC hDC) { return CloseDc(hDC) ? 1 : 0; }

int WINAPI FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  if (!lprc || !gdi::Gdi().Dc(hDC)) return 0;
  Op(hDC, "FillRect " + RectText(lprc) + " brush=" + HandleText(BrushArgument(hbr)));
  return 1;
}

int WINAPI FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  if (!lprc || !gdi::Gdi().Dc(hDC)) return 0;
  Op(hDC, "FrameRect " + RectText(lprc) + " brush=" + HandleText(BrushArgument(hbr)));
  return 1;
}

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
  gdi::DeviceContext* dc = gdi::Gdi().Dc(hdc);
  if (!dc || !lprc || !lpchText) return 0;
  std::string text = cchText < 0 ? std::string(lpchText) : std::string(lpchText, static_cast<size_t>(cchText));
  gdi::FontMetrics m = gdi::MetricsOfFont(dc->font);
  int lines = 1;
  for (char c : text)
    if (c == '\n' && !(format & DT_SINGLELINE)) ++lines;
  if (format & DT_CALCRECT) {
    lprc->right = lprc->left + static_cast<LONG>(text.size()) * m.aveCharWidth;
    lprc->bottom = lprc->top + lines * m.height;
    return lines * m.height;
  }
  Op(hdc, "DrawText " + RectText(lprc) + " " + ToUtf8(FromAnsi(text.c_str())));
  return lines * m.height;
}

BOOL WINAPI DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
  if (!gdi::Gdi().Dc(hDC) || !hIcon) return FALSE;
  Op(hDC, "DrawIcon " + std::to_string(X) + "," + std::to_string(Y) + " icon=" + HandleText(hIcon));
  return TRUE;
}
