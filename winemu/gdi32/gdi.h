// gdi32 inside winemu: the object table (brushes, fonts, bitmaps), device contexts and their state.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

#include "machine/machine.h"

namespace winemu::gdi {

struct BitmapSize {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int planes = 1;
};

struct Object {
  DWORD type = 0;  // OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_PEN, OBJ_PAL
  bool stock = false;
  LOGBRUSH brush{};
  LOGFONTA font{};
  BitmapSize bitmap;
};

// One device context: what is selected into it and its text state, plus what was drawn on it.
struct DeviceContext {
  HWND window = nullptr;  // the window it draws on, none for a memory DC
  bool memory = false;
  HGDIOBJ brush = nullptr;
  HGDIOBJ pen = nullptr;
  HGDIOBJ font = nullptr;
  HGDIOBJ bitmap = nullptr;
  int bkMode = OPAQUE;
  COLORREF bkColor = RGB(255, 255, 255);
  COLORREF textColor = RGB(0, 0, 0);
  std::vector<std::string> ops;  // drawing operations in order, for tests and dumps
};

// The counts tests look at: how many objects of each kind the program made and deleted.
struct Stats {
  int brushesCreated = 0;
  int fontsCreated = 0;
  int bitmapsCreated = 0;
  int dcsCreated = 0;
  int objectsDeleted = 0;
  int liveObjects = 0;  // created and not yet deleted (stock objects not counted)
};

class GdiState {
 public:
  explicit GdiState(Machine&);
  HGDIOBJ Add(Object object);
  Object* Get(HGDIOBJ h);
  bool Delete(HGDIOBJ h);
  HGDIOBJ Stock(int index) const;
  void Put(std::uintptr_t handle, Object object);  // a shared object at a fixed handle
  HDC AddDc(DeviceContext dc);
  DeviceContext* Dc(HDC h);
  bool DeleteDc(HDC h);
  Stats stats;

 private:
  std::map<std::uintptr_t, Object> objects_;
  std::map<std::uintptr_t, DeviceContext> dcs_;
  std::uintptr_t nextObject_ = 0;
  std::uintptr_t nextDc_ = 0;
};

GdiState& Gdi();

// Test API: the counts, and what an object is.
Stats CurrentStats();
std::optional<COLORREF> BrushColor(HBRUSH brush);  // a solid brush's colour
std::optional<LOGFONTA> FontOf(HFONT font);
std::optional<BitmapSize> BitmapOf(HBITMAP bitmap);
bool IsStock(HGDIOBJ object);

// Objects the system makes for itself (a dialog's template font): not counted as the program's.
HFONT CreateSystemFont(const LOGFONTA& font);
void DeleteSystemObject(HGDIOBJ object);

// A loaded bitmap resource as a GDI object (user32's LoadBitmapA and LoadImageA make them).
HBITMAP AddBitmap(const BitmapSize& size);
// The system colour brushes (GetSysColorBrush): shared, never counted, never deleted.
HBRUSH SysColorBrush(int index, COLORREF color);

}  // namespace winemu::gdi
