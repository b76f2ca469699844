// A menu handle with the operations the system uses.
#pragma once

#include <windows.h>

class CMenu {
 public:
  BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, const char* newItem = nullptr) {
    return ::AppendMenuA(m_hMenu, flags, idNewItem, newItem);
  }

  HMENU m_hMenu = nullptr;
};
