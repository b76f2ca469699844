// Numbers read from machine.ini, command options and fault values.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace winemu {

// A whole number in decimal or 0x hexadecimal from 0 to `max`; none for anything else (a sign,
// blanks, other characters, a value out of range).
std::optional<std::uint64_t> ParseNumber(std::string_view text, std::uint64_t max);

// The value of a hex digit (either case); -1 for any other character.
int HexDigit(char c);

}  // namespace winemu
