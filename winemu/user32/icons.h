// Icons and cursors: system ones by their IDI_/IDC_ ids, and those loaded from the resources.
#pragma once

#include <optional>
#include <string>

#include <windows.h>

namespace winemu::user32 {

struct IconInfo {
  std::string name;  // "IDI_APPLICATION", "IDC_WAIT", or "#128" for a resource
  int width = 32;
  int height = 32;
  int bitCount = 0;
  bool cursor = false;
  bool shared = false;  // LoadIcon / LoadCursor / LR_SHARED
};

std::optional<IconInfo> IconOf(HICON icon);
// The icon (or cursor) a static control's or window's image names, loaded as LoadIconA would.
HICON LoadIconByName(HINSTANCE instance, LPCSTR name);

}  // namespace winemu::user32
