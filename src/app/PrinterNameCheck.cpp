#include "app/PrinterNameCheck.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "framework/WinApp.h"
#include "install/DriverFileSet.h"
#include "install/PrinterSetup.h"
#include "payload/LineReplacement.h"
#include "removal/UninstallEntry.h"
#include "shared/ComposeText.h"
#include "shared/DriverFiles.h"
#include "shared/globals.h"
#include "sys/DriverFileGuard.h"
#include "sys/Spooler.h"

namespace {

struct RefusalTexts {
  const char* format;     // one %s: the reason
  const char* reasons[5];  // by PrinterNameProblem, less None; TooLong has a %d, UnidrvCoreName a %s
};

// English (ASCII), simplified Chinese (code page 936) and traditional Chinese (code page 950).
const RefusalTexts kTexts[3] = {
    {"The setting PrinterName in setting.dll cannot be used: %s\x0aSetup ends without installing anything.",
     {"the name is empty.",
      "the name is longer than %d characters: a path or text made from it would not fit in 260 characters.",
      "the name contains a character that Windows does not allow in printer or file names (\x5c / : * ? \x22 < > | , or a control character).",
      "the name contains \x22..\x22.",
      "its driver file %s would replace a file of the Unidrv core that every Unidrv printer driver uses."}},
    {"setting.dll \xd6\xd0\xb5\xc4 PrinterName \xc9\xe8\xd6\xc3\xce\xde\xb7\xa8\xca\xb9\xd3\xc3\xa3\xba%s\x0a\xb0\xb2\xd7\xb0\xb3\xcc\xd0\xf2\xbd\xab\xcd\xcb\xb3\xf6\xa3\xac\xb2\xbb\xb0\xb2\xd7\xb0\xc8\xce\xba\xce\xc4\xda\xc8\xdd\xa1\xa3",
     {"\xc3\xfb\xb3\xc6\xce\xaa\xbf\xd5\xa1\xa3",
      // 名称超过 %d 个字符：由它组成的路径或文字将超出 260 个字符。
      "\xc3\xfb\xb3\xc6\xb3\xac\xb9\xfd %d \xb8\xf6\xd7\xd6\xb7\xfb\xa3\xba\xd3\xc9\xcb\xfc\xd7\xe9\xb3\xc9\xb5\xc4\xc2\xb7\xbe\xb6"
      "\xbb\xf2\xce\xc4\xd7\xd6\xbd\xab\xb3\xac\xb3\xf6 260 \xb8\xf6\xd7\xd6\xb7\xfb\xa1\xa3",
      "\xc3\xfb\xb3\xc6\xb0\xfc\xba\xac Windows \xb2\xbb\xd4\xca\xd0\xed\xd3\xc3\xd3\xda\xb4\xf2\xd3\xa1\xbb\xfa\xc3\xfb\xb3\xc6\xbb\xf2\xce\xc4\xbc\xfe\xc3\xfb\xb5\xc4\xd7\xd6\xb7\xfb\xa3\xa8\x5c / : * ? \x22 < > | , \xbb\xf2\xbf\xd8\xd6\xc6\xd7\xd6\xb7\xfb\xa3\xa9\xa1\xa3",
      "\xc3\xfb\xb3\xc6\xb0\xfc\xba\xac\xa1\xb0..\xa1\xb1\xa1\xa3",
      // 其驱动程序文件 %s 将取代所有 Unidrv 打印机驱动程序共用的 Unidrv 核心文件。
      "\xc6\xe4\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xce\xc4\xbc\xfe %s \xbd\xab\xc8\xa1\xb4\xfa\xcb\xf9\xd3\xd0 Unidrv \xb4\xf2\xd3\xa1"
      "\xbb\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xb9\xb2\xd3\xc3\xb5\xc4 Unidrv \xba\xcb\xd0\xc4\xce\xc4\xbc\xfe\xa1\xa3"}},
    {"setting.dll \xa4\xa4\xaa\xba PrinterName \xb3]\xa9w\xb5L\xaak\xa8\xcf\xa5\xce\xa1G%s\x0a\xa6w\xb8\xcb\xb5{\xa6\xa1\xb1N\xb5\xb2\xa7\xf4\xa1" "A\xa4\xa3\xa6w\xb8\xcb\xa5\xf4\xa6\xf3\xa4\xba\xae" "e\xa1" "C",
     {"\xa6W\xba\xd9\xac\xb0\xaa\xc5\xa1" "C",
      // 名稱超過 %d 個字元：由它組成的路徑或文字將超出 260 個字元。
      "\xa6W\xba\xd9\xb6W\xb9L %d \xad\xd3\xa6r\xa4\xb8\xa1G\xa5\xd1\xa5\xa6\xb2\xd5\xa6\xa8\xaa\xba\xb8\xf4\xae|\xa9\xce\xa4\xe5\xa6r"
      "\xb1N\xb6W\xa5X 260 \xad\xd3\xa6r\xa4\xb8\xa1" "C",
      "\xa6W\xba\xd9\xa5]\xa7t Windows \xa4\xa3\xa4\xb9\xb3\x5c\xa5\xce\xa9\xf3\xa6L\xaa\xed\xbe\xf7\xa6W\xba\xd9\xa9\xce\xc0\xc9\xae\xd7\xa6W\xba\xd9\xaa\xba\xa6r\xa4\xb8\xa1]\x5c / : * ? \x22 < > | , \xa9\xce\xb1\xb1\xa8\xee\xa6r\xa4\xb8\xa1^\xa1" "C",
      "\xa6W\xba\xd9\xa5]\xa7t\xa1\xa7..\xa1\xa8\xa1" "C",
      // 其驅動程式檔案 %s 將取代所有 Unidrv 印表機驅動程式共用的 Unidrv 核心檔案。
      "\xa8\xe4\xc5X\xb0\xca\xb5{\xa6\xa1\xc0\xc9\xae\xd7 %s \xb1N\xa8\xfa\xa5N\xa9\xd2\xa6\xb3 Unidrv \xa6L\xaa\xed\xbe\xf7\xc5X"
      "\xb0\xca\xb5{\xa6\xa1\xa6@\xa5\xce\xaa\xba Unidrv \xae\xd6\xa4\xdf\xc0\xc9\xae\xd7\xa1" "C"}},
};

// The driver file made from `name` that is named like a Unidrv core file, or nullptr.
const char* UnidrvCoreNameOf(const char* name, DriverFileSet& set) {
  BuildDriverFileSet(name, set);
  for (int i = 0; i < kDriverFileCount; ++i)
    if (kDriverFiles[i].namedAfterPrinter && IsUnidrvCoreFileName(set.names[i])) return set.names[i];
  return nullptr;
}

// The spooler's driver directory, or the system's standard one while the spooler cannot tell.
void DriverDirectoryForLimit(char (&directory)[kPathBufferSize]) {
  if (GetDriverDirectory(kDriverEnvironment, directory)) return;
  char system[kPathBufferSize] = {0};
  UINT length = GetSystemDirectoryA(system, sizeof system);
  if (length == 0 || length >= sizeof system || !ComposeText(directory, "%s\\spool\\drivers\\w32x86", system))
    directory[0] = '\0';
}

// The length of a text made from `format` without N.
int LengthBesidesName(const char* format) { return std::snprintf(nullptr, 0, format, ""); }

}  // namespace

// Every text composed from N leaves N what does not hold the rest of it, less the terminator: the
// uninstall entry's texts, the driver files made from N in D\3 (the longest of their places in D)
// and in the staging directory, the staged uninstaller and INF, the rewritten model-file lines,
// the utility's install command.
int MaxPrinterNameLength(const char* driverDirectory) {
  int longest = LongestEntryTextBesidesName(driverDirectory);
  auto consider = [&](int length) { longest = length > longest ? length : longest; };
  const int directoryLength = static_cast<int>(std::strlen(driverDirectory));
  for (const DriverFile& file : kDriverFiles) {
    if (!file.namedAfterPrinter) continue;
    consider(directoryLength + LengthBesidesName("\\3\\%s") + LengthBesidesName(file.name));
    const char* place = file.stagedInThreePlaces ? kStagingI386Dir : kStagingDir;  // I386 the longer
    consider(static_cast<int>(std::strlen(place)) + 1 + LengthBesidesName(StagedName(file)));
  }
  for (const char* staged : {kUninstallerName, kInfName})
    consider(static_cast<int>(std::strlen(kStagingDir)) + 1 + LengthBesidesName(staged));
  consider(LongestReplacementBesidesName());
  // The install command, its INF path quoted (a blank as N asks for the quotes).
  char command[kPathBufferSize];
  if (ComposeInstallCommand(command, " ")) consider(static_cast<int>(std::strlen(command)) - 1);
  return kPathBufferSize - 1 - longest;
}

PrinterNameProblem CheckPrinterName(const char* name, int maxLength) {
  PrinterNameProblem problem = CheckPrinterNameText(name, maxLength);
  if (problem != PrinterNameProblem::None) return problem;
  DriverFileSet set;
  if (UnidrvCoreNameOf(name, set)) return PrinterNameProblem::UnidrvCoreName;
  return PrinterNameProblem::None;
}

std::string PrinterNameRefusal(const char* name, TextLanguage language) {
  char driverDirectory[kPathBufferSize];
  DriverDirectoryForLimit(driverDirectory);
  int maxLength = MaxPrinterNameLength(driverDirectory);
  PrinterNameProblem problem = CheckPrinterName(name, maxLength);
  if (problem == PrinterNameProblem::None) return "";
  const char* reasonFormat = kTexts[static_cast<int>(language)].reasons[static_cast<int>(problem) - 1];
  DriverFileSet set;
  char reason[512];
  if (problem == PrinterNameProblem::TooLong) std::snprintf(reason, sizeof reason, reasonFormat, maxLength);
  else if (problem == PrinterNameProblem::UnidrvCoreName) std::snprintf(reason, sizeof reason, reasonFormat, UnidrvCoreNameOf(name, set));
  else std::snprintf(reason, sizeof reason, "%s", reasonFormat);
  return reason;
}

bool CheckPrinterNameOrTellUser(const char* name) {
  TextLanguage language = g_WizardLanguage;
  std::string reason = PrinterNameRefusal(name, language);
  if (reason.empty()) return true;
  char message[1024];
  std::snprintf(message, sizeof message, kTexts[static_cast<int>(language)].format, reason.c_str());
  MessageBoxA(nullptr, message, AfxGetApp()->m_strAppName.c_str(), MB_OK | MB_ICONSTOP);
  return false;
}
