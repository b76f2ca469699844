#include "install/DriverFileSet.h"

#include <windows.h>

#include "install/StagingDir.h"
#include "shared/ComposeText.h"
#include "sys/DriverFileGuard.h"
#include "sys/Spooler.h"

namespace {

void DeleteIn(const char* directoryFormat, const char* directory, const char* name) {
  char path[kPathBufferSize];
  if (name[0] != '\0' && ComposeText(path, directoryFormat, directory, name)) DeleteFileA(path);
}

}  // namespace

void BuildDriverFileSet(const char* printerName, DriverFileSet& set) {
  for (int i = 0; i < kDriverFileCount; ++i) ComposeText(set.names[i], kDriverFiles[i].name, printerName);
}

void LookUpDriverDirectory(char (&directory)[kPathBufferSize]) { GetDriverDirectory(kDriverEnvironment, directory); }

void RemoveEarlierDriverFiles(const DriverFileSet& set, const char* driverDirectory) {
  CDriverFileGuard guard(kModelName);
  for (int i = 0; i < kDriverFileCount; ++i) {
    DeleteIn("%s\\%s", kStagingDir, set.names[i]);
    if (driverDirectory[0] == '\0' || !guard.MayDelete(set.names[i])) continue;
    DeleteIn("%s\\%s", driverDirectory, set.names[i]);
    if (kDriverFiles[i].namedAfterPrinter) DeleteIn("%s\\3\\%s", driverDirectory, set.names[i]);
  }
}
