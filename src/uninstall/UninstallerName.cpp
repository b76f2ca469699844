#include "uninstall/UninstallerName.h"

#include <cstring>

#include "shared/PrinterNameRule.h"

namespace {

constexpr char kPrefix[] = "uninstall";
constexpr char kSuffix[] = ".exe";

}  // namespace

bool PrinterNameFromProgramPath(const char* programPath, char (&printerName)[MAX_PATH]) {
  printerName[0] = '\0';
  const char* slash = std::strrchr(programPath, '\\');
  const char* file = slash ? slash + 1 : programPath;
  size_t length = std::strlen(file);
  const size_t prefixLength = sizeof kPrefix - 1, suffixLength = sizeof kSuffix - 1;
  if (length <= prefixLength + suffixLength || length >= sizeof printerName) return false;
  char head[sizeof kPrefix];
  lstrcpynA(head, file, sizeof head);
  if (lstrcmpiA(head, kPrefix) != 0 || lstrcmpiA(file + length - suffixLength, kSuffix) != 0) return false;
  size_t nameLength = length - prefixLength - suffixLength;
  std::memcpy(printerName, file + prefixLength, nameLength);
  printerName[nameLength] = '\0';
  if (CheckPrinterNameText(printerName, MAX_PATH - 1) == PrinterNameProblem::None) return true;
  printerName[0] = '\0';
  return false;
}
