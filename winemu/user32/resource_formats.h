// The resource formats user32 reads: bitmap headers (RT_BITMAP), icon and cursor groups
// (RT_GROUP_ICON, RT_GROUP_CURSOR) and string table blocks (RT_STRING). Each parser reads only
// its bytes and names what it cannot read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace winemu::user32 {

struct BitmapHeader {
  int width = 0;
  int height = 0;  // positive, whether the rows run bottom-up or top-down
  int planes = 1;
  int bitCount = 0;
};
struct BitmapHeaderResult {
  BitmapHeader header;
  std::string error;
};
// A BITMAPINFOHEADER (or a larger V4/V5 header) or a BITMAPCOREHEADER at the start of the bytes.
BitmapHeaderResult ParseBitmapHeader(std::span<const std::uint8_t> bytes);

struct IconGroupEntry {
  int width = 0;  // 0 in the directory means 256
  int height = 0;
  int colorCount = 0;
  int planes = 0;
  int bitCount = 0;
  std::uint32_t bytes = 0;
  std::uint16_t id = 0;  // the RT_ICON / RT_CURSOR resource of the image
};
struct IconGroupResult {
  std::vector<IconGroupEntry> entries;
  std::string error;
};
// A GRPICONDIR: reserved 0, type (1 icon, 2 cursor), count, then 14-byte entries.
IconGroupResult ParseIconGroup(std::span<const std::uint8_t> bytes);

struct StringBlockResult {
  std::u16string text;  // empty for an entry without text
  std::string error;
};
// Entry `index` (0 to 15) of a string table block: 16 counted UTF-16 strings.
StringBlockResult ParseStringBlockEntry(std::span<const std::uint8_t> bytes, int index);

}  // namespace winemu::user32
