#include "install/PrinterSetup.h"

#include <windows.h>

#include <cstring>

#include "shared/globals.h"
#include "sys/ComposeText.h"

namespace {

constexpr const char* kInstallFormat =
    "rundll32 printui.dll,PrintUIEntry /if /f " K7X_STAGING_DIR "\\" K7X_MODEL_NAME ".INF /r \"%s\" /b \"" K7X_MODEL_NAME
    "\" /m \"" K7X_MODEL_NAME "\" ";
constexpr const char* kSetDefaultFormat = "rundll32 printui.dll,PrintUIEntry /y /n \"%s\"";
constexpr const char* kPort = "LPT1:";
constexpr DWORD kWaitMs = 90000;
constexpr DWORD kPauseMs = 100;
constexpr size_t kCommandLineSize = 1000;

}  // namespace

bool RunInstallCommand() {
  SetCurrentDirectoryA(kStagingDir);
  char command[kPathBufferSize];
  if (!ComposeText(command, kInstallFormat, kPort)) return false;
  char commandLine[kCommandLineSize] = {0};  // process creation may write into it
  std::memcpy(commandLine, command, std::strlen(command) + 1);
  STARTUPINFOA startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process;
  std::memset(&process, 0, sizeof process);
  if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  bool ended = WaitForSingleObject(process.hProcess, kWaitMs) == WAIT_OBJECT_0;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  if (ended) Sleep(kPauseMs);
  return ended;
}

bool HasModelPrinter(const std::vector<std::string>& printerNames) {
  for (auto it = printerNames.rbegin(); it != printerNames.rend(); ++it)
    if (std::strstr(it->c_str(), kModelName)) return true;
  return false;
}

void RunSetDefaultCommand() {
  char command[kPathBufferSize];
  if (ComposeText(command, kSetDefaultFormat, kModelName)) WinExec(command, SW_HIDE);
}
