// Dialog templates as the resource compiler writes them: DLGTEMPLATE with DLGITEMTEMPLATE items,
// or DLGTEMPLATEEX with DLGITEMTEMPLATEEX items; items start on DWORD boundaries.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <windows.h>

namespace winemu::user32 {

// A name or ordinal field (sz_Or_Ord).
struct NameOrOrdinal {
  bool present = false;   // 0x0000 means none
  bool isOrdinal = false;  // 0xFFFF followed by the ordinal
  WORD ordinal = 0;
  std::u16string name;
};

struct DialogItem {
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;  // 16 bits in a DLGITEMTEMPLATE, 32 in a DLGITEMTEMPLATEEX
  NameOrOrdinal windowClass;
  NameOrOrdinal title;
  std::vector<std::uint8_t> creationData;
};

struct DialogTemplate {
  bool extended = false;
  DWORD helpId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::u16string title;
  bool hasFont = false;
  WORD pointSize = 0;  // 0x7FFF: the message box font
  WORD weight = 0;
  BYTE italic = 0;
  BYTE charset = 0;
  std::u16string typeface;
  std::vector<DialogItem> items;
};

struct DialogTemplateResult {
  DialogTemplate dialog;
  std::string error;  // empty when the template was read whole
};

// Reads a template; an error names what runs past the end of the bytes.
DialogTemplateResult ParseDialogTemplate(std::span<const std::uint8_t> bytes);

}  // namespace winemu::user32
