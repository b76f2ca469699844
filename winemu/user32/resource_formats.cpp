#include "resource_formats.h"

namespace winemu::user32 {
namespace {

std::uint16_t Word(std::span<const std::uint8_t> b, size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Dword(std::span<const std::uint8_t> b, size_t at) {
  return static_cast<std::uint32_t>(Word(b, at)) | (static_cast<std::uint32_t>(Word(b, at + 2)) << 16);
}

}  // namespace

BitmapHeaderResult ParseBitmapHeader(std::span<const std::uint8_t> bytes) {
  BitmapHeaderResult r;
  if (bytes.size() < 4) {
    r.error = "the bitmap is shorter than its header size field";
    return r;
  }
  std::uint32_t size = Dword(bytes, 0);
  if (size == 12) {
    if (bytes.size() < 12) {
      r.error = "the bitmap ends inside its BITMAPCOREHEADER";
      return r;
    }
    r.header = BitmapHeader{Word(bytes, 4), Word(bytes, 6), Word(bytes, 8), Word(bytes, 10)};
    return r;
  }
  if (size < 40) {
    r.error = "the bitmap header has an unknown size " + std::to_string(size);
    return r;
  }
  if (bytes.size() < 40) {
    r.error = "the bitmap ends inside its BITMAPINFOHEADER";
    return r;
  }
  auto height = static_cast<std::int32_t>(Dword(bytes, 8));
  r.header = BitmapHeader{static_cast<int>(static_cast<std::int32_t>(Dword(bytes, 4))), height < 0 ? -height : height,
                          Word(bytes, 12), Word(bytes, 14)};
  if (r.header.width <= 0 || r.header.height == 0) r.error = "the bitmap has no pixels";
  return r;
}

IconGroupResult ParseIconGroup(std::span<const std::uint8_t> bytes) {
  IconGroupResult r;
  if (bytes.size() < 6) {
    r.error = "the icon group ends inside its header";
    return r;
  }
  std::uint16_t type = Word(bytes, 2);
  std::uint16_t count = Word(bytes, 4);
  if (Word(bytes, 0) != 0 || (type != 1 && type != 2)) {
    r.error = "not an icon or cursor group";
    return r;
  }
  if (bytes.size() < 6 + 14 * static_cast<size_t>(count)) {
    r.error = "the icon group ends inside its entries";
    return r;
  }
  for (std::uint16_t i = 0; i < count; ++i) {
    size_t at = 6 + 14 * static_cast<size_t>(i);
    IconGroupEntry e;
    if (type == 1) {
      e.width = bytes[at] ? bytes[at] : 256;
      e.height = bytes[at + 1] ? bytes[at + 1] : 256;
      e.colorCount = bytes[at + 2];
    } else {  // a cursor directory entry: WORD width, WORD height (twice the image: mask included)
      e.width = Word(bytes, at);
      e.height = Word(bytes, at + 2) / 2;
    }
    e.planes = Word(bytes, at + 4);
    e.bitCount = Word(bytes, at + 6);
    e.bytes = Dword(bytes, at + 8);
    e.id = Word(bytes, at + 12);
    r.entries.push_back(e);
  }
  return r;
}

StringBlockResult ParseStringBlockEntry(std::span<const std::uint8_t> bytes, int index) {
  StringBlockResult r;
  size_t at = 0;
  for (int i = 0; i <= index; ++i) {
    if (at + 2 > bytes.size()) {
      r.error = "the string table block ends before entry " + std::to_string(i);
      return r;
    }
    size_t length = Word(bytes, at);
    at += 2;
    if (at + 2 * length > bytes.size()) {
      r.error = "string table entry " + std::to_string(i) + " runs past the block";
      return r;
    }
    if (i == index)
      for (size_t k = 0; k < length; ++k) r.text.push_back(static_cast<char16_t>(Word(bytes, at + 2 * k)));
    at += 2 * length;
  }
  return r;
}

}  // namespace winemu::user32
