#include "image_files.h"

namespace k7x::test {
namespace {

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

std::size_t RowBytes(int width, int bitCount) {
  return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32 * 4;
}

std::uint8_t Pixel(std::span<const std::uint8_t> row, int x, int bitCount) {
  const std::size_t bit = static_cast<std::size_t>(x) * static_cast<std::size_t>(bitCount);
  const int shift = 8 - bitCount - static_cast<int>(bit % 8);
  return static_cast<std::uint8_t>((row[bit / 8] >> shift) & ((1 << bitCount) - 1));
}

// The DIB at the start of `dib`; `bitsAt` is where its rows begin (a bitmap file says so), or 0
// for right after the palette. An icon's DIB is followed by its AND mask.
std::string ReadDib(std::span<const std::uint8_t> dib, std::size_t bitsAt, bool icon, Dib& out) {
  if (dib.size() < 40) return "info header cut short";
  if (U32(dib, 0) != 40) return "not a BITMAPINFOHEADER";
  const std::int32_t width = static_cast<std::int32_t>(U32(dib, 4));
  const std::int32_t storedHeight = static_cast<std::int32_t>(U32(dib, 8));
  const std::uint32_t bitCount = U16(dib, 14);
  out.compression = U32(dib, 16);
  if (U16(dib, 12) != 1) return "planes must be 1";
  if (bitCount != 1 && bitCount != 4 && bitCount != 8) return "not a palette bitmap";
  if (out.compression != 0) return "compressed bitmap";
  if (width <= 0 || width > 4096 || storedHeight <= 0 || storedHeight > 8192) return "unsupported size";
  if (icon && storedHeight % 2 != 0) return "icon height must count the mask";
  out.width = width;
  out.height = icon ? storedHeight / 2 : storedHeight;
  out.bitCount = static_cast<int>(bitCount);
  const std::uint32_t used = U32(dib, 32);
  const std::uint32_t colours = used == 0 ? 1u << bitCount : used;
  if (colours > 1u << bitCount) return "palette larger than the bit depth allows";
  if (dib.size() < 40 + 4 * static_cast<std::size_t>(colours)) return "palette cut short";
  out.palette.clear();
  for (std::uint32_t i = 0; i < colours; ++i) {
    const std::size_t at = 40 + 4 * static_cast<std::size_t>(i);
    out.palette.push_back({dib[at + 2], dib[at + 1], dib[at]});
  }
  if (bitsAt == 0) bitsAt = 40 + 4 * static_cast<std::size_t>(colours);
  const std::size_t rowBytes = RowBytes(width, out.bitCount);
  const std::size_t maskRowBytes = RowBytes(width, 1);
  const std::size_t rows = static_cast<std::size_t>(out.height);
  if (bitsAt > dib.size() || dib.size() - bitsAt < rowBytes * rows + (icon ? maskRowBytes * rows : 0))
    return "pixel rows cut short";
  out.indices.assign(rows * static_cast<std::size_t>(width), 0);
  out.transparent.assign(icon ? out.indices.size() : 0, false);
  for (std::size_t r = 0; r < rows; ++r) {
    const std::size_t y = rows - 1 - r;  // rows are stored from the bottom
    const auto row = dib.subspan(bitsAt + r * rowBytes, rowBytes);
    for (int x = 0; x < width; ++x) {
      const std::uint8_t index = Pixel(row, x, out.bitCount);
      if (index >= out.palette.size()) return "pixel beyond the palette";
      out.indices[y * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = index;
    }
    if (icon) {
      const auto mask = dib.subspan(bitsAt + rows * rowBytes + r * maskRowBytes, maskRowBytes);
      for (int x = 0; x < width; ++x)
        out.transparent[y * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = Pixel(mask, x, 1) != 0;
    }
  }
  return "";
}

}  // namespace

BmpRead ReadBmp(std::span<const std::uint8_t> bytes) {
  BmpRead r;
  if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M') {
    r.error = "not a BMP file";
    return r;
  }
  if (U32(bytes, 2) != bytes.size()) {
    r.error = "file size field does not match the file";
    return r;
  }
  const std::uint32_t bitsOffset = U32(bytes, 10);
  if (bitsOffset < 14 || bitsOffset > bytes.size()) {
    r.error = "pixel offset outside the file";
    return r;
  }
  r.error = ReadDib(bytes.subspan(14), bitsOffset - 14, false, r.image);
  return r;
}

IcoRead ReadIco(std::span<const std::uint8_t> bytes) {
  IcoRead r;
  if (bytes.size() < 6 || U16(bytes, 0) != 0 || U16(bytes, 2) != 1) {
    r.error = "not an ICO file";
    return r;
  }
  const std::size_t count = U16(bytes, 4);
  if (bytes.size() < 6 + 16 * count) {
    r.error = "icon directory cut short";
    return r;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = 6 + 16 * i;
    IconEntry e;
    e.width = bytes[at] == 0 ? 256 : bytes[at];
    e.height = bytes[at + 1] == 0 ? 256 : bytes[at + 1];
    e.colourCount = bytes[at + 2];
    e.bitCount = static_cast<int>(U16(bytes, at + 6));
    const std::uint32_t size = U32(bytes, at + 8), offset = U32(bytes, at + 12);
    if (offset > bytes.size() || bytes.size() - offset < size) {
      r.error = "icon image " + std::to_string(i) + " lies outside the file";
      return r;
    }
    const std::string error = ReadDib(bytes.subspan(offset, size), 0, true, e.image);
    if (!error.empty()) {
      r.error = "icon image " + std::to_string(i) + ": " + error;
      return r;
    }
    r.entries.push_back(std::move(e));
  }
  return r;
}

}  // namespace k7x::test
