#include "removal/UninstallEntry.h"

#include <cstdio>
#include <cstring>

#include "shared/ComposeText.h"
#include "shared/DriverFiles.h"
#include "shared/RunLog.h"
#include "shared/constants.h"
#include "sys/ProgramVersion.h"
#include "sys/Spooler.h"

namespace {

constexpr const char* kEntryKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s printer";
constexpr const char* kDisplayName = "%s printer driver uninstall";
constexpr const char* kPublisher = "%s printer";
constexpr const char* kIcon = "%s,-0";  // of the uninstaller's path
constexpr const char* kQuietUninstall = "\"%s\" /quiet";  // of the uninstaller's path

// The text's length is the byte count handed, without the terminator; NT stores the terminator
// that follows the text anyway.
void SetText(CReg& reg, const char* subKey, const char* name, const char* text) {
  reg.SetValue(subKey, name, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(std::strlen(text)));
}

void SetNumber(CReg& reg, const char* subKey, const char* name, DWORD number) {
  reg.SetValue(subKey, name, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

// D\uninstallN.exe.
bool ComposeUninstallerPath(char (&path)[kPathBufferSize], const char* directory, const char* printerName) {
  char name[kPathBufferSize];
  return ComposeText(name, kUninstallerName, printerName) && ComposeText(path, "%s\\%s", directory, name);
}

bool ComposeEntryKey(char (&subKey)[kPathBufferSize], const char* printerName) {
  return ComposeText(subKey, kEntryKey, printerName);
}

}  // namespace

void WriteUninstallEntry(CReg& reg, const char* printerName) {
  char subKey[kPathBufferSize];
  if (!ComposeEntryKey(subKey, printerName)) return;
  reg.CreateKey(subKey);

  char displayName[kPathBufferSize];
  if (ComposeText(displayName, kDisplayName, printerName)) SetText(reg, subKey, "DisplayName", displayName);

  char uninstaller[kPathBufferSize];
  bool uninstallerNamed = ComposeUninstallerPath(uninstaller, printerName);
  if (uninstallerNamed) {
    SetText(reg, subKey, "UninstallString", uninstaller);
    char icon[kPathBufferSize];
    if (ComposeText(icon, kIcon, uninstaller)) SetText(reg, subKey, "DisplayIcon", icon);
  }

  char publisher[kPathBufferSize];
  if (ComposeText(publisher, kPublisher, printerName)) SetText(reg, subKey, "Publisher", publisher);

  // For deployment tools: the unattended removal, the version, and neither change nor repair.
  char quiet[kPathBufferSize];
  if (uninstallerNamed && ComposeText(quiet, kQuietUninstall, uninstaller))
    SetText(reg, subKey, "QuietUninstallString", quiet);
  char version[32];
  if (ProgramProductVersion(version)) SetText(reg, subKey, "DisplayVersion", version);
  SetNumber(reg, subKey, "NoModify", 1);
  SetNumber(reg, subKey, "NoRepair", 1);
  LogLine("Uninstall entry written: HKLM\\%s", subKey);
}

void WriteEstimatedSize(CReg& reg, const char* printerName, DWORD kilobytes) {
  char subKey[kPathBufferSize];
  if (ComposeEntryKey(subKey, printerName)) SetNumber(reg, subKey, "EstimatedSize", kilobytes);
}

bool ComposeUninstallerPath(char (&path)[kPathBufferSize], const char* printerName) {
  char directory[kPathBufferSize];
  return GetDriverDirectory(kDriverEnvironment, directory) && ComposeUninstallerPath(path, directory, printerName);
}

bool UninstallEntryExists(const char* printerName) {
  char subKey[kPathBufferSize];
  HKEY key = nullptr;
  if (!ComposeEntryKey(subKey, printerName) || RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool DeleteUninstallEntry(CReg& reg, const char* printerName) {
  char subKey[kPathBufferSize];
  return ComposeEntryKey(subKey, printerName) && reg.DeleteKey(subKey);
}

int LongestEntryTextBesidesName(const char* driverDirectory) {
  // The quiet command, "D\uninstallN.exe" /quiet, is the longest made from the uninstaller's path.
  int longest = std::snprintf(nullptr, 0, "%s\\", driverDirectory) + std::snprintf(nullptr, 0, kUninstallerName, "") +
                std::snprintf(nullptr, 0, kQuietUninstall, "");
  for (const char* format : {kEntryKey, kDisplayName, kPublisher}) {
    int length = std::snprintf(nullptr, 0, format, "");
    longest = length > longest ? length : longest;
  }
  return longest;
}
