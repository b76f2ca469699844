#include "install/InstalledSize.h"

#include <windows.h>

#include "removal/UninstallEntry.h"
#include "shared/ComposeText.h"
#include "shared/DriverFiles.h"
#include "shared/RunLog.h"
#include "sys/Reg.h"

namespace {

// The file's size, or 0 when it is missing.
unsigned long long FileSize(const char* directory, const char* name) {
  char path[kPathBufferSize];
  WIN32_FIND_DATAA found;
  if (!*name || !ComposeText(path, "%s\\%s", directory, name)) return 0;
  HANDLE h = FindFirstFileA(path, &found);
  if (h == INVALID_HANDLE_VALUE) return 0;
  FindClose(h);
  return (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
}

}  // namespace

void RecordInstalledSize(const DriverFileSet& set, const char* driverDirectory, const char* printerName) {
  if (!*driverDirectory) return;
  unsigned long long bytes = 0;
  for (const char* name : set.names) bytes += FileSize(driverDirectory, name);
  char uninstaller[kPathBufferSize];
  if (ComposeText(uninstaller, kUninstallerName, printerName)) bytes += FileSize(driverDirectory, uninstaller);
  DWORD kilobytes = static_cast<DWORD>((bytes + 1023) / 1024);
  CReg reg;
  WriteEstimatedSize(reg, printerName, kilobytes);
  LogLine("Driver files in %s: %lu KB", driverDirectory, static_cast<unsigned long>(kilobytes));
}
