#include "codepage.h"

#include <iconv.h>

#include <cerrno>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace winemu {
namespace {

class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv cannot convert " + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as possible; an unconvertible input unit is replaced by `replacement` (in the
  // target encoding) and skipped by `skip` bytes.
  std::string Run(std::string_view in, std::string_view replacement, size_t skip) {
    std::string out;
    std::vector<char> buf(4096);
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    while (left > 0) {
      char* dst = buf.data();
      size_t room = buf.size();
      size_t r = iconv(cd_, &src, &left, &dst, &room);
      out.append(buf.data(), dst - buf.data());
      if (r == static_cast<size_t>(-1)) {
        if (errno == E2BIG) continue;
        out.append(replacement);
        size_t n = std::min(skip, left);
        src += n;
        left -= n;
      }
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// One converter per pair of encodings for the whole process (iconv_open is costly).
Converter& CachedConverter(const std::string& to, const std::string& from) {
  static std::map<std::pair<std::string, std::string>, std::unique_ptr<Converter>> converters;
  auto& slot = converters[{to, from}];
  if (!slot) slot = std::make_unique<Converter>(to, from);
  return *slot;
}

bool IsAscii(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

bool IsAscii(std::u16string_view wide) {
  for (char16_t c : wide)
    if (c >= 0x80) return false;
  return true;
}

std::string FromU16(std::u16string_view w) {
  return std::string(reinterpret_cast<const char*>(w.data()), w.size() * 2);
}

std::u16string ToU16(const std::string& bytes) {
  std::u16string w(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < w.size(); ++i)
    w[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                 (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return w;
}

}  // namespace

const unsigned kAnsiCodePages[] = {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 65001};

bool IsLeadByte(unsigned codePage, unsigned char byte) {
  switch (codePage) {
    case 932:
      return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
      return byte >= 0x81 && byte <= 0xFE;
    default:
      return false;
  }
}

bool IsAnsiCodePage(unsigned codePage) {
  for (unsigned cp : kAnsiCodePages)
    if (cp == codePage) return true;
  return false;
}

std::string AnsiCodePageList() {
  std::string out;
  for (unsigned cp : kAnsiCodePages) out.append(out.empty() ? "" : ", ").append(std::to_string(cp));
  return out;
}

std::string IconvName(unsigned codePage) {
  switch (codePage) {
    case 65001: return "UTF-8";
    case 950: return "BIG5";
    case 936: return "CP936";
    default: return "CP" + std::to_string(codePage);
  }
}

// ASCII text is the same in every code page a machine may have, so it skips iconv.
std::u16string AnsiToWide(std::string_view ansi, unsigned codePage) {
  if (IsAscii(ansi) && IsAnsiCodePage(codePage)) return std::u16string(ansi.begin(), ansi.end());
  return ToU16(CachedConverter("UTF-16LE", IconvName(codePage)).Run(ansi, std::string("\xFD\xFF", 2), 1));
}

std::string WideToAnsi(std::u16string_view wide, unsigned codePage) {
  if (IsAscii(wide) && IsAnsiCodePage(codePage)) return std::string(wide.begin(), wide.end());
  return CachedConverter(IconvName(codePage), "UTF-16LE").Run(FromU16(wide), "?", 2);
}

std::string WideToUtf8(std::u16string_view wide) {
  if (IsAscii(wide)) return std::string(wide.begin(), wide.end());
  return CachedConverter("UTF-8", "UTF-16LE").Run(FromU16(wide), "\xEF\xBF\xBD", 2);
}

std::u16string Utf8ToWide(std::string_view utf8) {
  if (IsAscii(utf8)) return std::u16string(utf8.begin(), utf8.end());
  return ToU16(CachedConverter("UTF-16LE", "UTF-8").Run(utf8, std::string("\xFD\xFF", 2), 1));
}

std::string AnsiToUtf8(std::string_view ansi, unsigned codePage) {
  if (IsAscii(ansi) && IsAnsiCodePage(codePage)) return std::string(ansi);
  return WideToUtf8(AnsiToWide(ansi, codePage));
}

std::string Utf8ToAnsi(std::string_view utf8, unsigned codePage) { return WideToAnsi(Utf8ToWide(utf8), codePage); }

}  // namespace winemu
