#include "install/DriverFileSet.h"

#include <windows.h>

#include <cstring>

#include "install/PrinterSetup.h"
#include "install/StagingDir.h"
#include "sys/ComposeText.h"
#include "sys/DriverFileGuard.h"
#include "sys/Spooler.h"

namespace {

struct DriverFileName {
  const char* format;  // %s is N
  bool alsoInVersionDir;
};

constexpr DriverFileName kDriverFiles[kDriverFileCount] = {
    {"STDNAMES.GPD", false}, {"%s.GPD", true},      {"%s.INI", true},       {"%sD.dll", true},
    {"%sF.dll", true},       {"ZIKU.UFM", false},   {"%sRES.dll", true},    {"UNIDRV.DLL", false},
    {"UNIDRV.HLP", false},   {"UNIDRVUI.DLL", false}, {"UNIRES.DLL", false},
};

void DeleteIn(const char* directoryFormat, const char* directory, const char* name) {
  char path[kPathBufferSize];
  if (name[0] != '\0' && ComposeText(path, directoryFormat, directory, name)) DeleteFileA(path);
}

}  // namespace

bool IsMadeFromPrinterName(int index) { return kDriverFiles[index].alsoInVersionDir; }

void BuildDriverFileSet(const char* printerName, DriverFileSet& set) {
  for (int i = 0; i < kDriverFileCount; ++i) ComposeText(set.names[i], kDriverFiles[i].format, printerName);
}

void LookUpDriverDirectory(char (&directory)[kPathBufferSize]) { GetDriverDirectory(kDriverEnvironment, directory); }

void RemoveEarlierDriverFiles(const DriverFileSet& set, const char* driverDirectory) {
  CDriverFileGuard guard(kModelName);
  for (int i = 0; i < kDriverFileCount; ++i) {
    DeleteIn("%s\\%s", kStagingDir, set.names[i]);
    if (driverDirectory[0] == '\0' || !guard.MayDelete(set.names[i])) continue;
    DeleteIn("%s\\%s", driverDirectory, set.names[i]);
    if (IsMadeFromPrinterName(i)) DeleteIn("%s\\3\\%s", driverDirectory, set.names[i]);
  }
}
