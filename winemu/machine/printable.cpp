#include "printable.h"

namespace winemu {
namespace {

// The length of the well-formed UTF-8 character of two or more bytes at the start of `s`; 0 when
// there is none.
size_t Utf8Length(std::string_view s) {
  auto at = [&](size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0u; };
  unsigned lead = at(0);
  size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
  if (length == 0) return 0;
  unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  if (at(1) < low || at(1) > high) return 0;
  for (size_t i = 2; i < length; ++i)
    if (at(i) < 0x80 || at(i) > 0xBF) return 0;
  return length;
}

}  // namespace

std::string Printable(std::string_view bytes, size_t limit) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < bytes.size();) {
    if (i >= limit) return out + "...";
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (size_t n = Utf8Length(bytes.substr(i))) {
      out.append(bytes.substr(i, n));
      i += n;
      continue;
    }
    if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
    else out += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
    ++i;
  }
  return out;
}

}  // namespace winemu
