#include "pe_layout.h"

#include <algorithm>

namespace k7x::tools {
namespace {

void Need(std::span<const std::uint8_t> b, std::uint64_t at, std::uint64_t n, const char* what) {
  if (at > b.size() || b.size() - at < n) throw PeError(std::string(what) + " lies beyond the end of the file");
}

}  // namespace

std::uint16_t Get16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at) {
  return Get16(b, at) | (static_cast<std::uint32_t>(Get16(b, at + 2)) << 16);
}

void Put32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

PeLayout ReadPeLayout(std::span<const std::uint8_t> b) {
  PeLayout pe;
  Need(b, 0, 64, "the MZ header");
  if (Get16(b, 0) != 0x5A4D) throw PeError("no MZ header");
  std::uint32_t signature = Get32(b, 60);
  Need(b, signature, 24, "the PE header");
  if (Get32(b, signature) != 0x00004550) throw PeError("no PE signature");
  pe.coffOffset = signature + 4;
  pe.machine = Get16(b, pe.coffOffset);
  std::uint16_t sectionCount = Get16(b, pe.coffOffset + 2);
  std::uint16_t optionalSize = Get16(b, pe.coffOffset + 16);
  pe.optionalOffset = pe.coffOffset + 20;
  Need(b, pe.optionalOffset, optionalSize, "the optional header");
  if (optionalSize < 2) throw PeError("the optional header is cut short");
  pe.magic = Get16(b, pe.optionalOffset);
  if (pe.magic != 0x10B && pe.magic != 0x20B) throw PeError("neither a PE32 nor a PE32+ image");
  std::size_t directoriesAt = pe.optionalOffset + (pe.magic == 0x10B ? 96 : 112);
  if (directoriesAt > pe.optionalOffset + optionalSize) throw PeError("the optional header is cut short");
  pe.sectionAlignment = Get32(b, pe.optionalOffset + 32);
  pe.fileAlignment = Get32(b, pe.optionalOffset + 36);
  auto powerOfTwo = [](std::uint32_t n) { return n != 0 && (n & (n - 1)) == 0; };
  if (!powerOfTwo(pe.fileAlignment) || pe.fileAlignment < 512 || pe.fileAlignment > 65536)
    throw PeError("a file alignment that is not a power of two from 512 to 64K");
  if (!powerOfTwo(pe.sectionAlignment) || pe.sectionAlignment < pe.fileAlignment)
    throw PeError("a section alignment that is not a power of two of at least the file alignment");
  std::uint32_t directoryCount = Get32(b, directoriesAt - 4);
  if (directoryCount > 16 || directoriesAt + directoryCount * 8ull > pe.optionalOffset + optionalSize)
    throw PeError("more data directories than the optional header holds");
  for (std::uint32_t i = 0; i < directoryCount; ++i) {
    std::size_t at = directoriesAt + i * 8;
    pe.directories.push_back({Get32(b, at), Get32(b, at + 4), at});
  }
  std::size_t table = pe.optionalOffset + optionalSize;
  Need(b, table, sectionCount * 40ull, "the section table");
  pe.headersEnd = table + sectionCount * 40ull;
  for (std::uint16_t i = 0; i < sectionCount; ++i) {
    std::size_t at = table + i * 40ull;
    PeSection s;
    for (std::size_t k = 0; k < 8 && b[at + k] != 0; ++k) s.name.push_back(static_cast<char>(b[at + k]));
    s.virtualSize = Get32(b, at + 8);
    s.rva = Get32(b, at + 12);
    s.rawSize = Get32(b, at + 16);
    s.rawOffset = Get32(b, at + 20);
    s.characteristics = Get32(b, at + 36);
    s.headerOffset = at;
    if (s.rawSize != 0) Need(b, s.rawOffset, s.rawSize, ("section " + s.name).c_str());
    pe.rawEnd = std::max<std::uint64_t>(pe.rawEnd, std::uint64_t{s.rawOffset} + s.rawSize);
    pe.sections.push_back(s);
  }
  return pe;
}

}  // namespace k7x::tools
