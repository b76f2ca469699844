#include "language_id.h"

#include "numbers.h"
#include "printable.h"

namespace winemu {
namespace {

constexpr unsigned kLastPrimary = 0x8C;
constexpr unsigned kLastSublanguage = 0x15;

}  // namespace

const char* const kLanguageIdsAllowed =
    "a language id, 0x and hexadecimal digits or decimal digits without a leading 0, such as 0x0409 (English), "
    "0x0804 (simplified Chinese) or 0x0404 (traditional Chinese): a primary language 0x01 to 0x8C in its low 10 "
    "bits, a sublanguage 1 to 0x15 above them";

// The text in single quotes, made printable. Built by appending: g++ 12 at -O3 takes a literal
// before a temporary string for an overlapping copy (-Wrestrict).
static std::string InSingleQuotes(std::string_view text) {
  std::string quoted(1, '\'');
  quoted += Printable(text);
  quoted += '\'';
  return quoted;
}

std::optional<std::string> ReadLanguageId(std::string_view text, std::uint16_t& id) {
  const std::string allowed = kLanguageIdsAllowed;
  bool hex = text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  auto decimal = hex ? std::nullopt : ParseNumber(text, 0xFFFF);
  if (decimal && text.size() > 1 && text[0] == '0')
    return InSingleQuotes(text) + " is ambiguous (a leading 0 without 0x): write 0x" + std::string(text) +
           " for hexadecimal or " + std::to_string(*decimal) + " for decimal";
  auto n = ParseNumber(text, 0xFFFF);
  if (!n) return "needs " + allowed + ", not " + InSingleQuotes(text);
  unsigned primary = static_cast<unsigned>(*n) & 0x3FF;
  unsigned sub = static_cast<unsigned>(*n) >> 10;
  if (primary < 1 || primary > kLastPrimary || sub < 1 || sub > kLastSublanguage)
    return InSingleQuotes(text) + " is not a language: it needs " + allowed;
  id = static_cast<std::uint16_t>(*n);
  return std::nullopt;
}

}  // namespace winemu
