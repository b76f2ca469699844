#include "shared/PrinterNameRule.h"

#include <windows.h>

#include <cstring>

namespace {

// The lowest trail byte of a double-byte character in every DBCS code page Windows has (932, 936,
// 949, 950): a lower one after a lead byte is not text of that code page, and it would be one of
// the refused characters below once the pair falls apart.
constexpr unsigned char kLowestTrailByte = 0x40;

}  // namespace

PrinterNameProblem CheckPrinterNameText(const char* name, int maxLength) {
  size_t length = std::strlen(name);
  if (length == 0) return PrinterNameProblem::Empty;
  if (length > static_cast<size_t>(maxLength)) return PrinterNameProblem::TooLong;
  // By characters of the system's ANSI code page: the trail byte of a double-byte character (0x5C
  // or 0x7C in many Big5 and GBK characters) is no backslash or bar.
  for (const char* p = name; *p; p = CharNextExA(CP_ACP, p, 0)) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (IsDBCSLeadByteEx(CP_ACP, c)) {
      if (static_cast<unsigned char>(p[1]) < kLowestTrailByte) return PrinterNameProblem::ForbiddenCharacter;
      continue;
    }
    if (c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|,", c)) return PrinterNameProblem::ForbiddenCharacter;
  }
  if (std::strstr(name, "..")) return PrinterNameProblem::DotDot;
  return PrinterNameProblem::None;
}
