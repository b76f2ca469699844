// Menus: the system menu of a window and the items the program appends to it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace winemu::user32 {

struct MenuItem {
  UINT flags = 0;  // MF_SEPARATOR, MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_POPUP ...
  UINT_PTR id = 0;
  std::u16string text;
};

// The items of a menu, none for a handle that is not a menu.
std::optional<std::vector<MenuItem>> MenuItems(HMENU menu);

}  // namespace winemu::user32
