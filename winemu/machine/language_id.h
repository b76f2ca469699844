// A system's default language id as a person writes it: 0x and hexadecimal digits, or decimal
// digits ("0804", a leading zero without 0x, is refused: it reads as hexadecimal to some and as
// 804 to others). The id must name a language: its low 10 bits a primary language Windows 7 knows
// (0x01 to 0x8C), the 6 bits above them a sublanguage (0x01 to 0x15).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace winemu {

// What a language id may be, in words.
extern const char* const kLanguageIdsAllowed;

// Sets `id` from `text`; otherwise says what is wrong and what is allowed.
std::optional<std::string> ReadLanguageId(std::string_view text, std::uint16_t& id);

}  // namespace winemu
