#include "install/PrinterSetup.h"

#include <windows.h>

#include <cstring>

#include "install/InfForPrinterName.h"
#include "shared/ComposeText.h"
#include "shared/RunLog.h"
#include "shared/constants.h"
#include "shared/globals.h"

namespace {

// The INF path (%s%s%s: quotes around it when it holds a blank), then the port.
constexpr const char* kInstallFormat =
    "rundll32 printui.dll,PrintUIEntry /if /f %s%s%s /r \"%s\" /b \"" K7X_MODEL_NAME "\" /m \"" K7X_MODEL_NAME "\" ";
constexpr const char* kSetDefaultFormat = "rundll32 printui.dll,PrintUIEntry /y /n \"%s\"";
constexpr const char* kPort = "LPT1:";
constexpr DWORD kWaitMs = 90000;
constexpr DWORD kPauseMs = 100;
constexpr size_t kCommandLineSize = 1000;

}  // namespace

namespace {

// Starts the system's own rundll32.exe, hidden, with `command` as its command line (argument 0 stays
// "rundll32"). Naming the program in full keeps Windows from looking for it in the program's
// directory or the current directory first, where anybody may have put a file of that name.
bool StartSystemRundll32(const char* command, PROCESS_INFORMATION& process) {
  char systemDirectory[kPathBufferSize] = {0};
  UINT length = GetSystemDirectoryA(systemDirectory, sizeof systemDirectory);
  char application[kPathBufferSize];
  if (length == 0 || length >= sizeof systemDirectory ||
      !ComposeText(application, "%s\\rundll32.exe", systemDirectory))
    return false;
  char commandLine[kCommandLineSize] = {0};  // process creation may write into it
  std::memcpy(commandLine, command, std::strlen(command) + 1);
  STARTUPINFOA startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  std::memset(&process, 0, sizeof process);
  return CreateProcessA(application, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) !=
         FALSE;
}

}  // namespace

bool ComposeInstallCommand(char (&command)[kPathBufferSize], const char* printerName) {
  char inf[kPathBufferSize];
  if (!StagedInfPath(inf, printerName)) return false;
  const char* quote = std::strchr(inf, ' ') ? "\"" : "";
  return ComposeText(command, kInstallFormat, quote, inf, quote, kPort);
}

bool RunInstallCommand(const char* printerName) {
  SetCurrentDirectoryA(kStagingDir);
  char command[kPathBufferSize];
  if (!ComposeInstallCommand(command, printerName)) return false;
  LogLine("Printer setup utility: %s", command);
  PROCESS_INFORMATION process;
  if (!StartSystemRundll32(command, process)) {
    LogLine("The printer setup utility cannot be started (error %lu)", static_cast<unsigned long>(GetLastError()));
    return false;
  }
  bool ended = WaitForSingleObject(process.hProcess, kWaitMs) == WAIT_OBJECT_0;
  DWORD exitCode = 0;
  if (ended && GetExitCodeProcess(process.hProcess, &exitCode))
    LogLine("The printer setup utility ended with exit code %lu", static_cast<unsigned long>(exitCode));
  else if (!ended)
    LogLine("The printer setup utility did not end within %lu seconds and is left running. Windows XP, Vista and 7 "
            "ask before they install a driver package that is not signed, and nobody answers in an unattended run: "
            "sign the driver package, or allow it by policy (XP: Driver Signing set to Ignore; Vista and 7: the "
            "signer's certificate among the Trusted Publishers)",
            static_cast<unsigned long>(kWaitMs / 1000));
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  if (ended) Sleep(kPauseMs);
  return ended;
}

const LocalPrinter* FindModelPrinter(const std::vector<LocalPrinter>& printers) {
  std::string listed;
  for (const LocalPrinter& printer : printers) listed += (listed.empty() ? "\"" : ", \"") + printer.name + "\"";
  LogLine("Local printers: %s", listed.empty() ? "none" : listed.c_str());
  for (auto it = printers.rbegin(); it != printers.rend(); ++it) {
    if (!std::strstr(it->name.c_str(), kModelName)) continue;
    LogLine("Printer \"%s\" found", it->name.c_str());
    return &*it;
  }
  LogLine("No printer whose name contains %s", kModelName);
  return nullptr;
}

void RunSetDefaultCommand() {
  char command[kPathBufferSize];
  PROCESS_INFORMATION process;
  if (!ComposeText(command, kSetDefaultFormat, kModelName)) return;
  LogLine("Printer setup utility: %s", command);
  if (!StartSystemRundll32(command, process)) return;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
}
