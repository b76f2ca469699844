// The header facts of a PE image (PE32 or PE32+) that a rewriter of its sections needs: where each
// header field lives in the file, the section table and the data directories.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace k7x::tools {

// A malformed or unsupported image; the text says what is wrong with it.
struct PeError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct PeSection {
  std::string name;
  std::uint32_t virtualSize = 0, rva = 0, rawSize = 0, rawOffset = 0;
  std::uint32_t characteristics = 0;
  std::size_t headerOffset = 0;  // of its 40-byte entry in the section table
};

struct PeDirectory {
  std::uint32_t rva = 0, size = 0;
  std::size_t headerOffset = 0;  // of its 8-byte entry
};

struct PeLayout {
  std::uint16_t machine = 0;
  std::uint16_t magic = 0;  // 0x10B PE32, 0x20B PE32+
  std::size_t coffOffset = 0, optionalOffset = 0;
  std::uint32_t sectionAlignment = 0, fileAlignment = 0;
  std::vector<PeSection> sections;
  std::vector<PeDirectory> directories;
  std::uint64_t rawEnd = 0;      // the end of the last section's raw data
  std::size_t headersEnd = 0;    // the end of the section table
};

inline constexpr int kResourceDirectory = 2;
inline constexpr int kSecurityDirectory = 4;
inline constexpr int kBaseRelocationDirectory = 5;

// Reads the headers; throws PeError naming the first thing that is not a whole PE image.
PeLayout ReadPeLayout(std::span<const std::uint8_t> image);

std::uint16_t Get16(std::span<const std::uint8_t> b, std::size_t at);
std::uint32_t Get32(std::span<const std::uint8_t> b, std::size_t at);
void Put32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t value);

}  // namespace k7x::tools
