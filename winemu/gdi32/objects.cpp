// The GDI object table: brushes, fonts, bitmaps and the stock objects, with creation counts.
#include <cstring>

#include "gdi.h"

namespace winemu::gdi {
namespace {

constexpr std::uintptr_t kStockBase = 0x00900000;  // stock object i is kStockBase + 4 * (i + 1)
constexpr std::uintptr_t kSysBrushBase = 0x00980000;
constexpr std::uintptr_t kObjectBase = 0x00A00000;
constexpr std::uintptr_t kDcBase = 0x00B00000;
constexpr int kStockCount = DC_PEN + 1;

Object StockObject(int index) {
  Object o;
  o.stock = true;
  auto brush = [&](COLORREF c) {
    o.type = OBJ_BRUSH;
    o.brush = LOGBRUSH{BS_SOLID, c, 0};
  };
  auto font = [&](const char* face, LONG height, LONG weight, BYTE pitch) {
    o.type = OBJ_FONT;
    o.font.lfHeight = height;
    o.font.lfWeight = weight;
    o.font.lfPitchAndFamily = pitch;
    std::strncpy(o.font.lfFaceName, face, LF_FACESIZE - 1);
  };
  switch (index) {
    case WHITE_BRUSH: brush(RGB(255, 255, 255)); break;
    case LTGRAY_BRUSH: brush(RGB(192, 192, 192)); break;
    case GRAY_BRUSH: brush(RGB(128, 128, 128)); break;
    case DKGRAY_BRUSH: brush(RGB(64, 64, 64)); break;
    case BLACK_BRUSH: brush(RGB(0, 0, 0)); break;
    case NULL_BRUSH: o.type = OBJ_BRUSH; o.brush = LOGBRUSH{BS_NULL, 0, 0}; break;
    case WHITE_PEN: case BLACK_PEN: case NULL_PEN: case DC_PEN: o.type = OBJ_PEN; break;
    case DC_BRUSH: brush(RGB(255, 255, 255)); break;
    case DEFAULT_PALETTE: o.type = OBJ_PAL; break;
    case OEM_FIXED_FONT: case ANSI_FIXED_FONT: case SYSTEM_FIXED_FONT: font("Courier", 12, FW_NORMAL, FIXED_PITCH); break;
    case ANSI_VAR_FONT: font("MS Sans Serif", 12, FW_NORMAL, VARIABLE_PITCH | FF_SWISS); break;
    case DEFAULT_GUI_FONT: font("MS Shell Dlg", -11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS); break;
    case SYSTEM_FONT: case DEVICE_DEFAULT_FONT: font("", 0, FW_BOLD, VARIABLE_PITCH | FF_SWISS); break;
    default: o.type = 0; break;  // index 9 is unused
  }
  return o;
}

}  // namespace

GdiState::GdiState(Machine&) {
  for (int i = 0; i < kStockCount; ++i) {
    Object o = StockObject(i);
    if (o.type) objects_[kStockBase + 4 * (i + 1)] = o;
  }
}

HGDIOBJ GdiState::Add(Object object) {
  std::uintptr_t h = kObjectBase + 4 * ++nextObject_;
  objects_[h] = object;
  ++stats.liveObjects;
  return reinterpret_cast<HGDIOBJ>(h);
}

Object* GdiState::Get(HGDIOBJ h) {
  auto it = objects_.find(reinterpret_cast<std::uintptr_t>(h));
  return it == objects_.end() ? nullptr : &it->second;
}

bool GdiState::Delete(HGDIOBJ h) {
  auto it = objects_.find(reinterpret_cast<std::uintptr_t>(h));
  if (it == objects_.end()) return false;
  if (it->second.stock) return true;
  objects_.erase(it);
  ++stats.objectsDeleted;
  --stats.liveObjects;
  return true;
}

HGDIOBJ GdiState::Stock(int index) const {
  if (index < 0 || index >= kStockCount) return nullptr;
  std::uintptr_t h = kStockBase + 4 * (index + 1);
  return objects_.count(h) ? reinterpret_cast<HGDIOBJ>(h) : nullptr;
}

void GdiState::Put(std::uintptr_t handle, Object object) { objects_[handle] = object; }

HDC GdiState::AddDc(DeviceContext dc) {
  std::uintptr_t h = kDcBase + 4 * ++nextDc_;
  dcs_[h] = std::move(dc);
  return reinterpret_cast<HDC>(h);
}

DeviceContext* GdiState::Dc(HDC h) {
  auto it = dcs_.find(reinterpret_cast<std::uintptr_t>(h));
  return it == dcs_.end() ? nullptr : &it->second;
}

bool GdiState::DeleteDc(HDC h) { return dcs_.erase(reinterpret_cast<std::uintptr_t>(h)) > 0; }

GdiState& Gdi() { return M().State<GdiState>(); }

Stats CurrentStats() { return Gdi().stats; }

std::optional<COLORREF> BrushColor(HBRUSH brush) {
  Object* o = Gdi().Get(brush);
  if (!o || o->type != OBJ_BRUSH || o->brush.lbStyle != BS_SOLID) return std::nullopt;
  return o->brush.lbColor;
}

std::optional<LOGFONTA> FontOf(HFONT font) {
  Object* o = Gdi().Get(font);
  if (!o || o->type != OBJ_FONT) return std::nullopt;
  return o->font;
}

std::optional<BitmapSize> BitmapOf(HBITMAP bitmap) {
  Object* o = Gdi().Get(bitmap);
  if (!o || o->type != OBJ_BITMAP) return std::nullopt;
  return o->bitmap;
}

bool IsStock(HGDIOBJ object) {
  Object* o = Gdi().Get(object);
  return o && o->stock;
}

HFONT CreateSystemFont(const LOGFONTA& font) {
  Object o;
  o.type = OBJ_FONT;
  o.font = font;
  HGDIOBJ h = Gdi().Add(o);
  --Gdi().stats.liveObjects;
  return static_cast<HFONT>(h);
}

void DeleteSystemObject(HGDIOBJ object) {
  if (!Gdi().Get(object)) return;
  Gdi().Delete(object);
  --Gdi().stats.objectsDeleted;
  ++Gdi().stats.liveObjects;
}

HBITMAP AddBitmap(const BitmapSize& size) {
  Object o;
  o.type = OBJ_BITMAP;
  o.bitmap = size;
  ++Gdi().stats.bitmapsCreated;
  return static_cast<HBITMAP>(Gdi().Add(o));
}

HBRUSH SysColorBrush(int index, COLORREF color) {
  std::uintptr_t h = kSysBrushBase + 4 * (static_cast<std::uintptr_t>(index) + 1);
  Object* o = Gdi().Get(reinterpret_cast<HGDIOBJ>(h));
  if (!o) {
    Object b;
    b.type = OBJ_BRUSH;
    b.stock = true;
    b.brush = LOGBRUSH{BS_SOLID, color, 0};
    Gdi().Put(h, b);
  }
  return reinterpret_cast<HBRUSH>(h);
}

}  // namespace winemu::gdi

using namespace winemu;
using namespace winemu::gdi;

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* plbrush) {
  if (!plbrush) return SetError(ERROR_INVALID_PARAMETER), nullptr;
  Object o;
  o.type = OBJ_BRUSH;
  o.brush = *plbrush;
  ++Gdi().stats.brushesCreated;
  return static_cast<HBRUSH>(Gdi().Add(o));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  LOGBRUSH b{BS_SOLID, color & 0x00FFFFFF, 0};
  return CreateBrushIndirect(&b);
}

HGDIOBJ WINAPI GetStockObject(int i) { return Gdi().Stock(i); }

BOOL WINAPI DeleteObject(HGDIOBJ ho) {
  if (!ho || !Gdi().Delete(ho)) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  return TRUE;
}

int WINAPI GetObjectA(HANDLE h, int c, LPVOID pv) {
  Object* o = Gdi().Get(h);
  if (!o) return SetError(ERROR_INVALID_HANDLE), 0;
  auto give = [&](const void* data, int size) {
    if (!pv) return size;
    int n = c < size ? c : size;
    if (n <= 0) return 0;
    std::memcpy(pv, data, static_cast<size_t>(n));
    return n;
  };
  switch (o->type) {
    case OBJ_BRUSH: return give(&o->brush, sizeof(LOGBRUSH));
    case OBJ_FONT: return give(&o->font, sizeof(LOGFONTA));
    case OBJ_BITMAP: {
      BITMAP bm{};
      bm.bmType = 0;
      bm.bmWidth = o->bitmap.width;
      bm.bmHeight = o->bitmap.height;
      int bits = o->bitmap.bitsPerPixel ? o->bitmap.bitsPerPixel : 1;
      bm.bmWidthBytes = ((o->bitmap.width * bits + 15) / 16) * 2;
      bm.bmPlanes = static_cast<WORD>(o->bitmap.planes);
      bm.bmBitsPixel = static_cast<WORD>(bits);
      return give(&bm, sizeof(BITMAP));
    }
    default: return SetError(ERROR_INVALID_HANDLE), 0;
  }
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
  if (!lplf) return SetError(ERROR_INVALID_PARAMETER), nullptr;
  Object o;
  o.type = OBJ_FONT;
  o.font = *lplf;
  o.font.lfFaceName[LF_FACESIZE - 1] = '\0';
  ++Gdi().stats.fontsCreated;
  return static_cast<HFONT>(Gdi().Add(o));
}

HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                         DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                         DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName) {
  LOGFONTA lf{};
  lf.lfHeight = cHeight;
  lf.lfWidth = cWidth;
  lf.lfEscapement = cEscapement;
  lf.lfOrientation = cOrientation;
  lf.lfWeight = cWeight;
  lf.lfItalic = static_cast<BYTE>(bItalic);
  lf.lfUnderline = static_cast<BYTE>(bUnderline);
  lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
  lf.lfCharSet = static_cast<BYTE>(iCharSet);
  lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
  lf.lfQuality = static_cast<BYTE>(iQuality);
  lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
  if (pszFaceName) std::strncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}
