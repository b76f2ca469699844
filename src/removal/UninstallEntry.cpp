#include "removal/UninstallEntry.h"

#include <cstring>

#include "shared/constants.h"
#include "sys/ComposeText.h"
#include "sys/Spooler.h"

namespace {

// The text's length is the byte count handed, without the terminator; NT stores the terminator
// that follows the text anyway.
void SetText(CReg& reg, const char* subKey, const char* name, const char* text) {
  reg.SetValue(subKey, name, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(std::strlen(text)));
}

bool ComposeEntryKey(char (&subKey)[kPathBufferSize], const char* printerName) {
  return ComposeText(subKey, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s printer", printerName);
}

}  // namespace

void WriteUninstallEntry(CReg& reg, const char* printerName) {
  char subKey[kPathBufferSize];
  if (!ComposeEntryKey(subKey, printerName)) return;
  reg.CreateKey(subKey);

  char displayName[kPathBufferSize];
  if (ComposeText(displayName, "%s printer driver uninstall", printerName)) SetText(reg, subKey, "DisplayName", displayName);

  char directory[kPathBufferSize];
  char uninstaller[kPathBufferSize];
  if (GetDriverDirectory(kDriverEnvironment, directory) &&
      ComposeText(uninstaller, "%s\\uninstall%s.exe", directory, printerName)) {
    SetText(reg, subKey, "UninstallString", uninstaller);
    char icon[kPathBufferSize];
    if (ComposeText(icon, "%s,-0", uninstaller)) SetText(reg, subKey, "DisplayIcon", icon);
  }

  char publisher[kPathBufferSize];
  if (ComposeText(publisher, "%s printer", printerName)) SetText(reg, subKey, "Publisher", publisher);
}

bool DeleteUninstallEntry(CReg& reg, const char* printerName) {
  char subKey[kPathBufferSize];
  return ComposeEntryKey(subKey, printerName) && reg.DeleteKey(subKey);
}
