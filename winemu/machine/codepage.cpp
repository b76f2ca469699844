#include "codepage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
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

std::string IconvName(unsigned codePage) {
  switch (codePage) {
    case 65001: return "UTF-8";
    case 950: return "BIG5";
    case 936: return "CP936";
    default: return "CP" + std::to_string(codePage);
  }
}

std::u16string AnsiToWide(std::string_view ansi, unsigned codePage) {
  Converter c("UTF-16LE", IconvName(codePage));
  return ToU16(c.Run(ansi, std::string("\xFD\xFF", 2), 1));
}

std::string WideToAnsi(std::u16string_view wide, unsigned codePage) {
  Converter c(IconvName(codePage), "UTF-16LE");
  return c.Run(FromU16(wide), "?", 2);
}

std::string WideToUtf8(std::u16string_view wide) {
  Converter c("UTF-8", "UTF-16LE");
  return c.Run(FromU16(wide), "\xEF\xBF\xBD", 2);
}

std::u16string Utf8ToWide(std::string_view utf8) {
  Converter c("UTF-16LE", "UTF-8");
  return ToU16(c.Run(utf8, std::string("\xFD\xFF", 2), 1));
}

std::string AnsiToUtf8(std::string_view ansi, unsigned codePage) { return WideToUtf8(AnsiToWide(ansi, codePage)); }

std::string Utf8ToAnsi(std::string_view utf8, unsigned codePage) { return WideToAnsi(Utf8ToWide(utf8), codePage); }

}  // namespace winemu
