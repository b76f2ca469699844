// Removal of what an earlier installation left: the old driver files named after the configured
// printer P, the uninstall entry (written anew), the OEM INF copies, the paper form, and the
// spooler's keys of the model K7X, deleted while the spooler is stopped.
#include <windows.h>

#include <vector>

#include "removal/UninstallEntry.h"
#include "shared/ComposeText.h"
#include "shared/DriverFiles.h"
#include "shared/SetupApp.h"
#include "shared/constants.h"
#include "shared/globals.h"
#include "sys/DriverFileGuard.h"
#include "sys/Reg.h"
#include "sys/Services.h"
#include "sys/Spooler.h"

namespace {

constexpr const char* kPaperForm = "papersize(80x297mm)";
constexpr const char* kCopyWord = "\xB8\xB1\xB1\xBE";  // "副本" (copy) in code page 936
constexpr DWORD kPauseMs = 1000;

// The spooler's keys for the model under HKLM (then one under HKCC and one under HKCU).
constexpr const char* kMachineKeys[] = {
    "SYSTEM\\ControlSet001\\Control\\Print\\Printers\\" K7X_MODEL_NAME,
    "SYSTEM\\ControlSet002\\Control\\Print\\Printers\\" K7X_MODEL_NAME,
    "SYSTEM\\ControlSet003\\Control\\Print\\Printers\\" K7X_MODEL_NAME,
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\" K7X_MODEL_NAME,
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Drivers\\Version-3\\" K7X_MODEL_NAME,
};
constexpr const char* kConfigKey = "System\\CurrentControlSet\\Control\\Print\\Printers\\" K7X_MODEL_NAME;
constexpr const char* kUserKey = "Printers\\" K7X_MODEL_NAME;

// Printers whose name contains `text` (case-sensitive), visiting the records from the last.
int CountContaining(const std::vector<std::string>& names, const char* text) {
  int count = 0;
  for (auto it = names.rbegin(); it != names.rend(); ++it)
    if (it->find(text) != std::string::npos) ++count;
  return count;
}

// The system's text for `error`, shown by the host.
void ShowSystemError(InstallHost& host, DWORD error) {
  LPSTR text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  host.ShowError(text ? text : "");
  LocalFree(text);
}

}  // namespace

void CSetupApp::RemoveOldInstallation(InstallHost& host) {
  CReg reg;

  // An earlier installation counts only when exactly one printer carries P; a failed
  // enumeration counts none.
  std::vector<std::string> printers;
  if (!EnumLocalPrinterNames(printers)) printers.clear();
  // In the driver directory and its 3 subdirectory only files no other driver uses may go.
  if (CountContaining(printers, g_PrinterName) == 1) {
    CDriverFileGuard guard(kModelName);
    for (BOOL (CSetupApp::*remove)(std::string) :
         {&CSetupApp::DeleteDriverFile, &CSetupApp::DeleteDriverVersionFile, &CSetupApp::DeleteTempFile}) {
      for (DriverFileId id : kRemovalOrder) {
        const DriverFile& file = DriverFileOf(id);
        char name[kPathBufferSize];
        if (!file.namedAfterPrinter || !ComposeText(name, file.name, g_PrinterName)) continue;
        if (remove == &CSetupApp::DeleteTempFile || guard.MayDelete(name)) (this->*remove)(name);
      }
    }
  }

  WriteUninstallEntry(reg, g_PrinterName);
  RemoveOemInfFiles();

  if (!EnumLocalPrinterNames(printers)) {
    ShowSystemError(host, GetLastError());
    return;
  }
  int copies = CountContaining(printers, kModelName);
  char formPrinter[kPathBufferSize];
  if (copies == 0) ComposeText(formPrinter, "%s", kModelName);
  else ComposeText(formPrinter, "%s (%s %d)", kModelName, kCopyWord, copies);
  DeletePaperForm(formPrinter, kPaperForm);
  Sleep(kPauseMs);

  StopSpoolerService();
  StopSpoolerService();  // finds the spooler stopped
  // The spooler keeps subkeys under a printer's key (PrinterDriverData, DsSpooler); they go first.
  for (const char* key : kMachineKeys) {
    reg.DeleteSubkeys(HKEY_LOCAL_MACHINE, key);
    reg.DeleteKey(key);
  }
  reg.DeleteSubkeys(HKEY_CURRENT_CONFIG, kConfigKey);
  reg.DeleteConfigKey(kConfigKey);
  reg.DeleteSubkeys(HKEY_CURRENT_USER, kUserKey);
  reg.DeleteUserKey(kUserKey);
  StartSpoolerService();
  StartSpoolerService();  // finds the spooler running
  Sleep(kPauseMs);
}
