#include "uninstall/UninstallerName.h"

#include <cstring>
#include <string>
#include <string_view>

#include "framework/PathText.h"
#include "shared/DriverFiles.h"
#include "shared/PrinterNameRule.h"

namespace {

// The parts of the name setup gives the uninstaller around N: "uninstall" and ".exe".
constexpr std::string_view kPattern = kUninstallerName;
constexpr std::string_view kPrefix = kPattern.substr(0, kPattern.find("%s"));
constexpr std::string_view kSuffix = kPattern.substr(kPattern.find("%s") + 2);

}  // namespace

bool PrinterNameFromProgramPath(const char* programPath, char (&printerName)[MAX_PATH]) {
  printerName[0] = '\0';
  const char* file = FileNameOf(programPath);
  size_t length = std::strlen(file);
  const size_t prefixLength = kPrefix.size(), suffixLength = kSuffix.size();
  if (length <= prefixLength + suffixLength || length >= sizeof printerName) return false;
  char head[kPrefix.size() + 1];
  lstrcpynA(head, file, sizeof head);
  const std::string prefix(kPrefix);
  // The suffix ends the pattern, so its view is terminated.
  if (lstrcmpiA(head, prefix.c_str()) != 0 || lstrcmpiA(file + length - suffixLength, kSuffix.data()) != 0) return false;
  size_t nameLength = length - prefixLength - suffixLength;
  std::memcpy(printerName, file + prefixLength, nameLength);
  printerName[nameLength] = '\0';
  if (CheckPrinterNameText(printerName, MAX_PATH - 1) == PrinterNameProblem::None) return true;
  printerName[0] = '\0';
  return false;
}
