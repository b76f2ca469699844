// Readers of the .bmp and .ico files of the artwork, as the resource compiler takes them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace k7x::test {

struct PaletteColour {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const PaletteColour&) const = default;
};

// An uncompressed palette DIB: BITMAPINFOHEADER, palette, rows.
struct Dib {
  int width = 0;
  int height = 0;  // of the picture; an icon's header counts its mask too
  int bitCount = 0;
  std::uint32_t compression = 0;
  std::vector<PaletteColour> palette;
  std::vector<std::uint8_t> indices;  // rows from the top
  std::vector<bool> transparent;      // icon mask bits, rows from the top; empty for a bitmap
  std::uint8_t Index(int x, int y) const { return indices[static_cast<std::size_t>(y * width + x)]; }
  PaletteColour Colour(int x, int y) const { return palette[Index(x, y)]; }
  bool Transparent(int x, int y) const { return transparent[static_cast<std::size_t>(y * width + x)]; }
};

struct BmpRead {
  Dib image;
  std::string error;  // empty when the whole file was read
};

struct IconEntry {
  int width = 0, height = 0;  // ICONDIRENTRY (0 stands for 256)
  int colourCount = 0;
  int bitCount = 0;
  Dib image;
};

struct IcoRead {
  std::vector<IconEntry> entries;
  std::string error;
};

// Palette bitmaps of 1, 4 or 8 bits without compression.
BmpRead ReadBmp(std::span<const std::uint8_t> bytes);
IcoRead ReadIco(std::span<const std::uint8_t> bytes);

}  // namespace k7x::test
