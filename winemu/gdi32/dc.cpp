// Device contexts: selected objects and text state. Drawing calls are recorded, not rasterized.
#include <cstdio>

#include "gdi.h"

using namespace winemu;
using namespace winemu::gdi;

namespace {

DeviceContext* DcOrFail(HDC hdc) {
  DeviceContext* dc = Gdi().Dc(hdc);
  if (!dc) SetError(ERROR_INVALID_HANDLE);
  return dc;
}

}  // namespace

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  DeviceContext* dc = DcOrFail(hdc);
  Object* o = Gdi().Get(h);
  if (!dc || !o) return SetError(ERROR_INVALID_HANDLE), nullptr;
  HGDIOBJ* slot = nullptr;
  switch (o->type) {
    case OBJ_BRUSH: slot = &dc->brush; break;
    case OBJ_PEN: slot = &dc->pen; break;
    case OBJ_FONT: slot = &dc->font; break;
    case OBJ_BITMAP:
      if (!dc->memory) return SetError(ERROR_INVALID_PARAMETER), nullptr;
      slot = &dc->bitmap;
      break;
    default: return SetError(ERROR_INVALID_PARAMETER), nullptr;
  }
  HGDIOBJ previous = *slot;
  *slot = h;
  return previous;
}

int WINAPI SetBkMode(HDC hdc, int mode) {
  DeviceContext* dc = DcOrFail(hdc);
  if (!dc) return 0;
  if (mode != TRANSPARENT && mode != OPAQUE) return SetError(ERROR_INVALID_PARAMETER), 0;
  int previous = dc->bkMode;
  dc->bkMode = mode;
  return previous;
}

int WINAPI GetBkMode(HDC hdc) {
  DeviceContext* dc = DcOrFail(hdc);
  return dc ? dc->bkMode : 0;
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = DcOrFail(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->bkColor;
  dc->bkColor = color;
  return previous;
}

COLORREF WINAPI GetBkColor(HDC hdc) {
  DeviceContext* dc = DcOrFail(hdc);
  return dc ? dc->bkColor : CLR_INVALID;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  DeviceContext* dc = DcOrFail(hdc);
  if (!dc) return CLR_INVALID;
  COLORREF previous = dc->textColor;
  dc->textColor = color;
  return previous;
}

COLORREF WINAPI GetTextColor(HDC hdc) {
  DeviceContext* dc = DcOrFail(hdc);
  return dc ? dc->textColor : CLR_INVALID;
}

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  if (hdc && !DcOrFail(hdc)) return nullptr;
  DeviceContext dc;
  dc.memory = true;
  dc.brush = GetStockObject(WHITE_BRUSH);
  dc.pen = GetStockObject(BLACK_PEN);
  dc.font = GetStockObject(SYSTEM_FONT);
  ++Gdi().stats.dcsCreated;
  return Gdi().AddDc(dc);
}

BOOL WINAPI DeleteDC(HDC hdc) {
  DeviceContext* dc = DcOrFail(hdc);
  if (!dc || !dc->memory) return SetError(ERROR_INVALID_HANDLE), FALSE;
  return Gdi().DeleteDc(hdc);
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  DeviceContext* dc = DcOrFail(hdc);
  if (!dc || (hdcSrc && !DcOrFail(hdcSrc))) return FALSE;
  char op[96];
  std::snprintf(op, sizeof op, "BitBlt %d,%d %dx%d from %d,%d rop=0x%08X", x, y, cx, cy, x1, y1, rop);
  dc->ops.push_back(op);
  return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
  DeviceContext* dc = DcOrFail(hdc);
  if (!dc || c < 0 || (c > 0 && !lpString)) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  char op[48];
  std::snprintf(op, sizeof op, "TextOut %d,%d ", x, y);
  dc->ops.push_back(op + std::string(lpString ? lpString : "", static_cast<size_t>(c)));
  return TRUE;
}
