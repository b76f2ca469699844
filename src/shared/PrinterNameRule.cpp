#include "shared/PrinterNameRule.h"

#include <cstring>

PrinterNameProblem CheckPrinterNameText(const char* name, int maxLength) {
  size_t length = std::strlen(name);
  if (length == 0) return PrinterNameProblem::Empty;
  if (length > static_cast<size_t>(maxLength)) return PrinterNameProblem::TooLong;
  for (const char* p = name; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|,", c)) return PrinterNameProblem::ForbiddenCharacter;
  }
  if (std::strstr(name, "..")) return PrinterNameProblem::DotDot;
  return PrinterNameProblem::None;
}
