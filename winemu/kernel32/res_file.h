// The .res file format that windres writes: a sequence of resource headers, each with its data.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace winemu {

// A resource type or name: an integer id or a string (stored upper-case by the resource compiler).
struct ResId {
  bool isString = false;
  std::uint16_t id = 0;
  std::u16string name;
  bool operator==(const ResId&) const = default;
};

struct ResEntry {
  ResId type;
  ResId name;
  std::uint16_t language = 0;
  std::span<const std::uint8_t> data;  // points into the parsed bytes
};

struct ResParseResult {
  std::vector<ResEntry> entries;
  std::string error;  // empty when the whole input was read
};

// Reads every entry; stops with an error at the first header or data that runs past the input.
ResParseResult ParseResFile(std::span<const std::uint8_t> bytes);

}  // namespace winemu
