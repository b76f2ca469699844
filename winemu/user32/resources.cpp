// LoadStringA, LoadIconA, LoadCursorA, LoadBitmapA, LoadImageA and the cursor (SetCursor is
// traced as "cursor <name>" whenever the cursor changes, so the wait cursor shows in the trace).
#include <cstdlib>
#include <map>

#include "gdi32/gdi.h"
#include "kernel32/resources.h"
#include "icons.h"
#include "metrics.h"
#include "resource_formats.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

constexpr std::uintptr_t kIconBase = 0x00C00000;

struct IconTable {
  explicit IconTable(Machine&) {}
  std::map<std::uintptr_t, IconInfo> icons;
  std::map<std::string, HICON> shared;  // by kind and name
  std::uintptr_t next = 0;

  HICON Add(const IconInfo& info) {
    std::uintptr_t h = kIconBase + 4 * ++next;
    icons[h] = info;
    return reinterpret_cast<HICON>(h);
  }
};

IconTable& Icons() { return M().State<IconTable>(); }

const char* SystemName(bool cursor, std::uint16_t id) {
  static const std::map<std::uint16_t, const char*> icons = {
      {32512, "IDI_APPLICATION"}, {32513, "IDI_HAND"}, {32514, "IDI_QUESTION"},
      {32515, "IDI_EXCLAMATION"}, {32516, "IDI_ASTERISK"}, {32517, "IDI_WINLOGO"}};
  static const std::map<std::uint16_t, const char*> cursors = {
      {32512, "IDC_ARROW"},    {32513, "IDC_IBEAM"},    {32514, "IDC_WAIT"},   {32515, "IDC_CROSS"},
      {32516, "IDC_UPARROW"},  {32642, "IDC_SIZENWSE"}, {32643, "IDC_SIZENESW"}, {32644, "IDC_SIZEWE"},
      {32645, "IDC_SIZENS"},   {32646, "IDC_SIZEALL"},  {32648, "IDC_NO"},     {32649, "IDC_HAND"},
      {32650, "IDC_APPSTARTING"}};
  const auto& table = cursor ? cursors : icons;
  auto it = table.find(id);
  return it == table.end() ? nullptr : it->second;
}

std::string ResourceName(const ResId& id) {
  return id.isString ? ToUtf8(id.name) : std::string("#").append(std::to_string(id.id));
}

ResId Type(std::uint16_t t) {
  ResId id;
  id.id = t;
  return id;
}

// An icon or cursor from the system (no instance) or from a group resource; `size` 0 takes the
// image's own size, else the entry closest to it.
HICON Load(HINSTANCE instance, LPCSTR name, bool cursor, int size, bool shared) {
  if (!name) return SetError(ERROR_INVALID_PARAMETER), nullptr;
  auto& table = Icons();
  ResId id = ResIdFromA(name);
  std::string key;
  IconInfo info;
  info.cursor = cursor;
  info.shared = shared;
  if (!instance) {
    const char* system = id.isString ? nullptr : SystemName(cursor, id.id);
    if (!system) return SetError(ERROR_RESOURCE_NAME_NOT_FOUND), nullptr;
    info.name = system;
    info.width = info.height = cursor ? kIcon : (size ? size : kIcon);
    info.shared = true;
  } else {
    const ResEntry* e = FindResourceEntry(Type(cursor ? 12 : 14), id);
    if (!e) return SetError(ERROR_RESOURCE_NAME_NOT_FOUND), nullptr;
    IconGroupResult group = ParseIconGroup(e->data);
    if (!group.error.empty()) throw UiError("icon " + ResourceName(id) + ": " + group.error);
    if (group.entries.empty()) return SetError(ERROR_RESOURCE_DATA_NOT_FOUND), nullptr;
    const IconGroupEntry* best = nullptr;
    int want = size ? size : 0;
    for (const IconGroupEntry& entry : group.entries) {
      auto distance = [&](const IconGroupEntry& x) { return want ? std::abs(x.width - want) : 0; };
      if (!best || distance(entry) < distance(*best) || (distance(entry) == distance(*best) && entry.bitCount > best->bitCount))
        best = &entry;
    }
    info.name = ResourceName(id);
    info.width = best->width;
    info.height = best->height;
    info.bitCount = best->bitCount;
  }
  key = std::string(cursor ? "cursor " : "icon ") + info.name + " " + std::to_string(info.width);
  if (info.shared) {
    if (auto it = table.shared.find(key); it != table.shared.end()) return it->second;
    return table.shared[key] = table.Add(info);
  }
  return table.Add(info);
}

HBITMAP LoadBitmapResource(LPCSTR name) {
  if (!name) return SetError(ERROR_INVALID_PARAMETER), nullptr;
  ResId id = ResIdFromA(name);
  const ResEntry* e = FindResourceEntry(Type(2), id);
  if (!e) return SetError(ERROR_RESOURCE_NAME_NOT_FOUND), nullptr;
  BitmapHeaderResult r = ParseBitmapHeader(e->data);
  if (!r.error.empty()) throw UiError("bitmap " + ResourceName(id) + ": " + r.error);
  return gdi::AddBitmap(gdi::BitmapSize{r.header.width, r.header.height, r.header.bitCount, r.header.planes});
}

}  // namespace

std::optional<IconInfo> IconOf(HICON icon) {
  auto& icons = Icons().icons;
  auto it = icons.find(reinterpret_cast<std::uintptr_t>(icon));
  if (it == icons.end()) return std::nullopt;
  return it->second;
}

HICON LoadIconByName(HINSTANCE instance, LPCSTR name) { return Load(instance, name, false, kIcon, true); }

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

int WINAPI LoadStringA(HINSTANCE, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (!lpBuffer || cchBufferMax <= 0) return SetError(ERROR_INVALID_PARAMETER), 0;
  lpBuffer[0] = '\0';
  ResId block;
  block.id = static_cast<std::uint16_t>((uID >> 4) + 1);
  const ResEntry* e = FindResourceEntry(Type(6), block);
  if (!e) return SetError(ERROR_RESOURCE_NAME_NOT_FOUND), 0;
  StringBlockResult r = ParseStringBlockEntry(e->data, static_cast<int>(uID & 15));
  if (!r.error.empty()) throw UiError("string table block " + std::to_string(block.id) + ": " + r.error);
  if (r.text.empty()) return SetError(ERROR_RESOURCE_NAME_NOT_FOUND), 0;
  return CopyAnsi(r.text, lpBuffer, cchBufferMax);
}

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) { return Load(hInstance, lpIconName, false, kIcon, true); }

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
  return Load(hInstance, lpCursorName, true, kIcon, true);
}

HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
  if (!hInstance) return SetError(ERROR_RESOURCE_NAME_NOT_FOUND), nullptr;
  return LoadBitmapResource(lpBitmapName);
}

HANDLE WINAPI LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
  if (fuLoad & LR_LOADFROMFILE) return SetError(ERROR_FILE_NOT_FOUND), nullptr;
  switch (type) {
    case IMAGE_BITMAP: return hInst ? LoadBitmapResource(name) : (SetError(ERROR_RESOURCE_NAME_NOT_FOUND), nullptr);
    case IMAGE_ICON:
    case IMAGE_CURSOR: {
      int size = cx ? cx : cy;
      if (!size && (fuLoad & LR_DEFAULTSIZE)) size = kIcon;
      return Load(hInst, name, type == IMAGE_CURSOR, size, (fuLoad & LR_SHARED) != 0);
    }
    default: return SetError(ERROR_INVALID_PARAMETER), nullptr;
  }
}

namespace {
// The cursor before the program sets one is the arrow.
HCURSOR& CurrentCursor() {
  auto& ws = WS();
  if (!ws.cursorSet) {
    ws.cursorSet = true;
    ws.cursor = LoadCursorA(nullptr, IDC_ARROW);
  }
  return ws.cursor;
}
}  // namespace

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
  HCURSOR& current = CurrentCursor();
  HCURSOR old = current;
  if (hCursor != old) {
    std::optional<IconInfo> info = IconOf(hCursor);
    Trace("cursor", hCursor ? (info ? info->name : HandleText(hCursor)) : std::string("none"));
  }
  current = hCursor;
  return old;
}

HCURSOR WINAPI GetCursor(void) { return CurrentCursor(); }
