// Builders of the little-endian bytes the tests hand to parsers: words, double words, and entries
// of a .res file as windres writes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "winemu/kernel32/res_file.h"

namespace k7x::test {

inline void U16(std::vector<std::uint8_t>& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void U32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  U16(b, static_cast<std::uint16_t>(v));
  U16(b, static_cast<std::uint16_t>(v >> 16));
}

// A resource type or name: the text with its terminator, or 0xFFFF and the number.
inline void ResIdBytes(std::vector<std::uint8_t>& b, const winemu::ResId& id) {
  if (!id.isString) {
    U16(b, 0xFFFF);
    U16(b, id.id);
    return;
  }
  for (char16_t c : id.name) U16(b, c);
  U16(b, 0);
}

// One resource in the .res format: header (size, header size, type, name, data version, memory
// flags 0x1030, language, version, characteristics), then the data, each padded to 4 bytes.
inline void AppendResEntry(std::vector<std::uint8_t>& out, const winemu::ResId& type, const winemu::ResId& name,
                           std::uint16_t language, const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> header;
  ResIdBytes(header, type);
  ResIdBytes(header, name);
  while (header.size() % 4) header.push_back(0);
  U32(header, 0);
  U16(header, 0x1030);
  U16(header, language);
  U32(header, 0);
  U32(header, 0);
  U32(out, static_cast<std::uint32_t>(size));
  U32(out, static_cast<std::uint32_t>(header.size() + 8));
  out.insert(out.end(), header.begin(), header.end());
  out.insert(out.end(), data, data + size);
  while (out.size() % 4) out.push_back(0);
}

}  // namespace k7x::test
