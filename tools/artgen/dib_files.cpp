#include "dib_files.h"

#include <stdexcept>

namespace k7x::artgen {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;

class Writer {
 public:
  explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
  void U8(std::uint32_t v) { out_.push_back(static_cast<std::uint8_t>(v)); }
  void U16(std::uint32_t v) { U8(v & 0xFF), U8(v >> 8); }
  void U32(std::uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }

 private:
  std::vector<std::uint8_t>& out_;
};

std::uint32_t RowBytes(int width, int bitCount) {
  return ((static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitCount) + 31) / 32) * 4;
}

std::uint32_t ColourBytes(const IndexedImage& image) {
  return RowBytes(image.width, image.bitCount) * static_cast<std::uint32_t>(image.height);
}

std::uint32_t MaskBytes(const IndexedImage& image) {
  return RowBytes(image.width, 1) * static_cast<std::uint32_t>(image.height);
}

std::uint32_t PaletteBytes(const IndexedImage& image) { return static_cast<std::uint32_t>(image.palette.size()) * 4; }

void Check(const IndexedImage& image) {
  const std::size_t pixels = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
  if ((image.bitCount != 4 && image.bitCount != 8) || image.palette.size() != (std::size_t{1} << image.bitCount) ||
      image.indices.size() != pixels || image.opaque.size() != pixels)
    throw std::invalid_argument("malformed palette image");
}

// BITMAPINFOHEADER, palette and colour rows; an icon's header counts the mask in its height.
void WriteDib(std::vector<std::uint8_t>& out, const IndexedImage& image, bool icon) {
  Writer w(out);
  const std::uint32_t imageBytes = ColourBytes(image) + (icon ? MaskBytes(image) : 0);
  w.U32(kInfoHeaderSize);
  w.U32(static_cast<std::uint32_t>(image.width));
  w.U32(static_cast<std::uint32_t>(icon ? 2 * image.height : image.height));
  w.U16(1);  // planes
  w.U16(static_cast<std::uint32_t>(image.bitCount));
  w.U32(0);  // BI_RGB
  w.U32(imageBytes);
  w.U32(0), w.U32(0);  // no resolution
  w.U32(icon ? 0 : static_cast<std::uint32_t>(image.palette.size()));
  w.U32(0);  // all colours important
  for (const Rgb& c : image.palette) w.U8(c.b), w.U8(c.g), w.U8(c.r), w.U8(0);
  const std::uint32_t rowBytes = RowBytes(image.width, image.bitCount);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(rowBytes, 0);
    for (int x = 0; x < image.width; ++x) {
      const std::uint8_t index = image.indices[static_cast<std::size_t>(y * image.width + x)];
      if (image.bitCount == 8)
        row[static_cast<std::size_t>(x)] = index;
      else
        row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

void WriteMask(std::vector<std::uint8_t>& out, const IndexedImage& image) {
  const std::uint32_t rowBytes = RowBytes(image.width, 1);
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(rowBytes, 0);
    for (int x = 0; x < image.width; ++x)
      if (!image.opaque[static_cast<std::size_t>(y * image.width + x)])
        row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
}

}  // namespace

std::vector<std::uint8_t> BmpFile(const IndexedImage& image) {
  Check(image);
  const std::uint32_t bitsOffset = 14 + kInfoHeaderSize + PaletteBytes(image);
  std::vector<std::uint8_t> out;
  Writer w(out);
  w.U8('B'), w.U8('M');
  w.U32(bitsOffset + ColourBytes(image));
  w.U32(0);  // reserved
  w.U32(bitsOffset);
  WriteDib(out, image, false);
  return out;
}

std::vector<std::uint8_t> IcoFile(std::span<const IndexedImage> images) {
  std::vector<std::uint8_t> out;
  Writer w(out);
  w.U16(0), w.U16(1), w.U16(static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (const IndexedImage& image : images) {
    Check(image);
    if (image.width > 255 || image.height > 255) throw std::invalid_argument("icon image too large");
    const std::uint32_t bytes = kInfoHeaderSize + PaletteBytes(image) + ColourBytes(image) + MaskBytes(image);
    w.U8(static_cast<std::uint32_t>(image.width)), w.U8(static_cast<std::uint32_t>(image.height));
    w.U8(image.bitCount == 4 ? 16 : 0), w.U8(0);  // colour count (0: 256 or more), reserved
    w.U16(1), w.U16(static_cast<std::uint32_t>(image.bitCount));
    w.U32(bytes), w.U32(offset);
    offset += bytes;
  }
  for (const IndexedImage& image : images) {
    WriteDib(out, image, true);
    WriteMask(out, image);
  }
  return out;
}

}  // namespace k7x::artgen
