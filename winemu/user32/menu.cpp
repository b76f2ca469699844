// GetSystemMenu, AppendMenuA and the menu queries. A window's system menu is made on first use:
// a dialog frame (no sizing frame, no minimize or maximize box) has Move and Close, as Windows
// gives dialogs; other windows Restore, Move, Size, Minimize, Maximize, a separator and Close,
// with the items their style does not allow grayed.
#include "menu.h"

#include <map>

#include "window_ops.h"

namespace winemu::user32 {
namespace {

constexpr std::uintptr_t kMenuBase = 0x00D00000;

struct MenuTable {
  explicit MenuTable(Machine&) {}
  std::map<std::uintptr_t, std::vector<MenuItem>> menus;
  std::uintptr_t next = 0;
};

MenuTable& Menus() { return M().State<MenuTable>(); }

std::vector<MenuItem>* Find(HMENU menu) {
  auto& menus = Menus().menus;
  auto it = menus.find(reinterpret_cast<std::uintptr_t>(menu));
  return it == menus.end() ? nullptr : &it->second;
}

HMENU NewMenu(std::vector<MenuItem> items) {
  auto& t = Menus();
  std::uintptr_t h = kMenuBase + 4 * ++t.next;
  t.menus[h] = std::move(items);
  return reinterpret_cast<HMENU>(h);
}

std::vector<MenuItem> DefaultSystemMenu(const Window* w) {
  const UINT gray = MF_GRAYED;
  bool sizable = (w->style & WS_THICKFRAME) != 0;
  bool minBox = (w->style & WS_MINIMIZEBOX) != 0;
  bool maxBox = (w->style & WS_MAXIMIZEBOX) != 0;
  bool closable = !(w->cls->style & CS_NOCLOSE);
  if (!sizable && !minBox && !maxBox)
    return {{0, SC_MOVE, u"&Move"}, {closable ? 0u : gray, SC_CLOSE, u"&Close\tAlt+F4"}};
  return {{gray, SC_RESTORE, u"&Restore"},
          {0, SC_MOVE, u"&Move"},
          {sizable ? 0u : gray, SC_SIZE, u"&Size"},
          {minBox ? 0u : gray, SC_MINIMIZE, u"Mi&nimize"},
          {maxBox ? 0u : gray, SC_MAXIMIZE, u"Ma&ximize"},
          {MF_SEPARATOR, 0, u""},
          {closable ? 0u : gray, SC_CLOSE, u"&Close\tAlt+F4"}};
}

// The item a command or position names.
MenuItem* Item(std::vector<MenuItem>& items, UINT which, UINT flags) {
  if (flags & MF_BYPOSITION) return which < items.size() ? &items[which] : nullptr;
  for (MenuItem& item : items)
    if (!(item.flags & MF_SEPARATOR) && item.id == which) return &item;
  return nullptr;
}

}  // namespace

void DestroyMenuHandle(HMENU menu) { Menus().menus.erase(reinterpret_cast<std::uintptr_t>(menu)); }

std::optional<std::vector<MenuItem>> MenuItems(HMENU menu) {
  auto* items = Find(menu);
  if (!items) return std::nullopt;
  return *items;
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

HMENU WINAPI GetSystemMenu(HWND hWnd, BOOL bRevert) {
  Window* w = WOrFail(hWnd);
  if (!w) return nullptr;
  if (bRevert) {
    if (w->sysMenu) DestroyMenuHandle(w->sysMenu);
    w->sysMenu = nullptr;
    return nullptr;
  }
  if (!(w->style & WS_SYSMENU)) return nullptr;
  if (!w->sysMenu) w->sysMenu = NewMenu(DefaultSystemMenu(w));
  return w->sysMenu;
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR lpNewItem) {
  auto* items = Find(hMenu);
  if (!items) return SetError(ERROR_INVALID_MENU_HANDLE), FALSE;
  MenuItem item;
  item.flags = uFlags & ~static_cast<UINT>(MF_APPEND);
  item.id = (uFlags & MF_SEPARATOR) ? 0 : uIDNewItem;
  if (!(uFlags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) && lpNewItem) item.text = FromAnsi(lpNewItem);
  items->push_back(item);
  return TRUE;
}

BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
  auto* items = Find(hMenu);
  if (!items) return SetError(ERROR_INVALID_MENU_HANDLE), -1;
  MenuItem* item = Item(*items, uIDEnableItem, uEnable);
  if (!item) return -1;
  UINT old = item->flags & (MF_GRAYED | MF_DISABLED);
  item->flags = (item->flags & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
  return static_cast<BOOL>(old);
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
  auto* items = Find(hMenu);
  if (!items) return SetError(ERROR_INVALID_MENU_HANDLE), -1;
  return static_cast<int>(items->size());
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
  auto* items = Find(hMenu);
  if (!items || nPos < 0 || static_cast<size_t>(nPos) >= items->size()) return static_cast<UINT>(-1);
  const MenuItem& item = (*items)[static_cast<size_t>(nPos)];
  if (item.flags & MF_POPUP) return static_cast<UINT>(-1);
  return static_cast<UINT>(item.id);
}

int WINAPI GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR lpString, int cchMax, UINT flags) {
  auto* items = Find(hMenu);
  if (!items) return SetError(ERROR_INVALID_MENU_HANDLE), 0;
  MenuItem* item = Item(*items, uIDItem, flags);
  if (!item) return 0;
  if (!lpString || cchMax <= 0) return static_cast<int>(ToAnsi(item->text).size());
  return CopyAnsi(item->text, lpString, cchMax);
}
