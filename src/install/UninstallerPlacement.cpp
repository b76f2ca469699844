#include "install/UninstallerPlacement.h"

#include <windows.h>

#include "install/WrittenFiles.h"
#include "removal/UninstallEntry.h"

namespace {

bool UninstallerPresent(const char* printerName) {
  char path[kPathBufferSize];
  return ComposeUninstallerPath(path, printerName) && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool EarlierEntryWithUninstaller(const char* printerName) {
  return UninstallEntryExists(printerName) && UninstallerPresent(printerName);
}

bool UninstallerPlaced(const char* printerName, bool earlierIntact) {
  char path[kPathBufferSize];
  if (ComposeUninstallerPath(path, printerName) && WrittenFileIntact(path)) return true;
  if (!(earlierIntact && UninstallerPresent(printerName))) {
    CReg reg;
    DeleteUninstallEntry(reg, printerName);
  }
  return false;
}
