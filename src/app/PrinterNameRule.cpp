// The rule a printer name must meet, apart from telling the user (PrinterNameCheck.cpp), so that
// the uninstaller applies it to the name its own file carries.
#include <cstring>

#include "app/PrinterNameCheck.h"

PrinterNameProblem CheckPrinterName(const char* name) {
  size_t length = std::strlen(name);
  if (length == 0) return PrinterNameProblem::Empty;
  if (length > static_cast<size_t>(kMaxPrinterNameLength)) return PrinterNameProblem::TooLong;
  for (const char* p = name; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|,", c)) return PrinterNameProblem::ForbiddenCharacter;
  }
  if (std::strstr(name, "..")) return PrinterNameProblem::DotDot;
  return PrinterNameProblem::None;
}
