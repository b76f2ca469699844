#include "uninstall/RemoveInstallation.h"

#include <windows.h>

#include <string>
#include <vector>

#include "removal/OemInfCopies.h"
#include "removal/UninstallEntry.h"
#include "shared/ComposeText.h"
#include "shared/DriverFiles.h"
#include "shared/RunLog.h"
#include "shared/constants.h"
#include "sys/DriverFileGuard.h"
#include "sys/Reg.h"
#include "sys/Spooler.h"

namespace {

bool RemovePrinters() {
  std::vector<LocalPrinter> printers;
  if (!EnumLocalPrinters(printers)) return false;
  bool allGone = true;
  for (const LocalPrinter& printer : printers) {
    if (lstrcmpiA(printer.driver.c_str(), kModelName) != 0) continue;
    bool deleted = DeleteLocalPrinter(printer.name.c_str());
    LogLine(deleted ? "Printer %s deleted" : "Printer %s cannot be deleted (error %lu)", printer.name.c_str(),
            static_cast<unsigned long>(GetLastError()));
    allGone = deleted && allGone;
  }
  return allGone;
}

bool RemoveDriver() {
  bool deleted = DeleteDriver(kDriverEnvironment, kModelName);
  DWORD error = GetLastError();
  if (deleted) LogLine("Driver %s deleted", kModelName);
  else if (error != ERROR_UNKNOWN_PRINTER_DRIVER) LogLine("Driver %s cannot be deleted (error %lu)", kModelName, static_cast<unsigned long>(error));
  return deleted || error == ERROR_UNKNOWN_PRINTER_DRIVER;
}

// A file the spooler still holds open cannot go now; Windows deletes it at its next start.
bool DeleteNowOrAtRestart(const char* path) {
  if (DeleteFileA(path)) {
    LogLine("Deleted %s", path);
    return true;
  }
  DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND) return true;
  if ((error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) &&
      MoveFileExA(path, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
    LogLine("%s is deleted at the next start of Windows", path);
    return true;
  }
  LogLine("%s cannot be deleted (error %lu)", path, static_cast<unsigned long>(error));
  return false;
}

// In D and D\3, the files the uninstaller deletes (those named after N and the font metrics), each only when no other installed
// driver names it and it is not named like a Unidrv core file: those stay by design. Without the
// spooler's driver records nothing is deleted and the step is not done.
bool RemoveDriverFiles(const char* printerName) {
  char directory[MAX_PATH];
  char versionDirectory[MAX_PATH];
  if (!GetDriverDirectory(kDriverEnvironment, directory) || !ComposeText(versionDirectory, "%s\\3", directory))
    return false;
  std::vector<std::string> names;
  for (DriverFileId id : kRemovalOrder) {
    const DriverFile& file = DriverFileOf(id);
    char name[MAX_PATH];
    if (!file.uninstallerDeletes) continue;
    if (!ComposeText(name, file.name, printerName)) return false;
    names.push_back(name);
  }
  CDriverFileGuard guard(kModelName);
  if (!guard.RecordsRead()) return false;
  bool allGone = true;
  for (const char* place : {directory, versionDirectory}) {
    for (const std::string& name : names) {
      char path[MAX_PATH];
      if (!guard.MayDelete(name.c_str())) continue;
      allGone = ComposeText(path, "%s\\%s", place, name.c_str()) && DeleteNowOrAtRestart(path) && allGone;
    }
  }
  return allGone;
}

bool RemoveUninstallEntry(const char* printerName) {
  CReg reg;
  bool deleted = DeleteUninstallEntry(reg, printerName);
  if (!deleted) LogLine("The uninstall entry \"%s printer\" cannot be deleted", printerName);
  return deleted;
}

// A running program's file cannot be deleted: Windows maps it as the process image until the
// process ends. A helper that outlives the uninstaller and deletes the file after it (a batch file
// or a copy of the program) would have to be started from a place the user can write, such as
// C:\TEMP, and nothing this administrator's program starts may come from there. So the file is
// left to Windows, which deletes it at its next start (on 2000 to 7 alike).
bool ScheduleOwnDeletion(const char* programPath) {
  bool scheduled = MoveFileExA(programPath, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
  LogLine(scheduled ? "%s is deleted at the next start of Windows" : "%s cannot be scheduled for deletion", programPath);
  return scheduled;
}

}  // namespace

RemovalStep RemoveInstallation(const char* printerName, const char* programPath) {
  if (!RemovePrinters()) return RemovalStep::Printers;
  if (!RemoveDriver()) return RemovalStep::Driver;
  if (!RemoveDriverFiles(printerName)) return RemovalStep::DriverFiles;
  if (!RemoveModelOemInfs(CompanionOrder::InfLast)) {
    LogLine("A copy of the driver's INF file in the Windows inf folder cannot be deleted");
    return RemovalStep::OemInfs;
  }
  if (!RemoveUninstallEntry(printerName)) return RemovalStep::UninstallEntry;
  if (!ScheduleOwnDeletion(programPath)) return RemovalStep::Uninstaller;
  return RemovalStep::Done;
}
