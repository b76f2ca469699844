// kernel32: CreateProcessA with and without an application name, the search order for a bare
// name, the errors of a missing program, a bad image and a missing working folder,
// WaitForSingleObject with time-outs, exit codes, and WinExec. The
// program started is the system's rundll32 asked to make a missing printer the default, which
// changes nothing.
#include <cstdio>

#include "check.h"
#include "parts.h"
#include "scratch.h"

namespace conformance {
namespace {

std::string SystemFile(const char* name) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  return std::string(system) + "\\" + name;
}

std::string HarmlessCommand() {
  return SystemFile("rundll32.exe") + " printui.dll,PrintUIEntry /y /n \"K7X No Such Printer\"";
}

BOOL Create(const char* application, std::string commandLine, const char* directory, PROCESS_INFORMATION& info) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  info = PROCESS_INFORMATION{};
  return CreateProcessA(application, commandLine.empty() ? nullptr : commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, directory, &startup, &info);
}

void CheckFailures() {
  PROCESS_INFORMATION info;
  ok_fails(!Create(nullptr, InScratch("missing.exe"), nullptr, info), ERROR_FILE_NOT_FOUND,
           "CreateProcessA of a missing program by full path");
  ok_fails(!Create(InScratch("missing.exe").c_str(), "missing.exe /x", nullptr, info), ERROR_FILE_NOT_FOUND,
           "CreateProcessA with a missing application name");
  ok_fails(!Create(nullptr, HarmlessCommand(), "C:\\conformance\\no such folder", info), ERROR_DIRECTORY,
           "CreateProcessA with a missing working folder");
  UINT result = WinExec(InScratch("missing.exe").c_str(), 0);
  ok(result == ERROR_FILE_NOT_FOUND, "WinExec of a missing program gave %u, expected 2", result);
  DWORD code = 0;
  ok_fails(WaitForSingleObject(nullptr, 0) == WAIT_FAILED, ERROR_INVALID_HANDLE, "WaitForSingleObject(NULL)");
  ok_fails(!GetExitCodeProcess(nullptr, &code), ERROR_INVALID_HANDLE, "GetExitCodeProcess(NULL)");
}

void CheckRun(const char* application, const char* what) {
  PROCESS_INFORMATION info;
  ok(Create(application, HarmlessCommand(), nullptr, info), "%s: CreateProcessA failed with %u", what,
     static_cast<unsigned>(GetLastError()));
  if (!info.hProcess) return;
  ok(info.dwProcessId != 0 && info.hThread != nullptr, "%s: no process id or thread handle", what);
  DWORD waited = WaitForSingleObject(info.hProcess, 0);
  DWORD code = 0;
  ok(waited == WAIT_TIMEOUT && GetExitCodeProcess(info.hProcess, &code) && code == STILL_ACTIVE,
     "%s: at once the wait gave %u and the exit code %u, expected 258 and 259 (still active)", what,
     static_cast<unsigned>(waited), static_cast<unsigned>(code));
  waited = WaitForSingleObject(info.hProcess, 60000);
  ok(waited == WAIT_OBJECT_0, "%s: waiting 60 s gave %u, expected the process to end (0)", what,
     static_cast<unsigned>(waited));
  ok(GetExitCodeProcess(info.hProcess, &code) && code != STILL_ACTIVE, "%s: the ended process's exit code is %u", what,
     static_cast<unsigned>(code));
  ok(WaitForSingleObject(info.hThread, 0) == WAIT_OBJECT_0, "%s: the ended process's thread is not signalled", what);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  ok_fails(WaitForSingleObject(info.hProcess, 0) == WAIT_FAILED, ERROR_INVALID_HANDLE, "waiting on a closed handle");
}

std::string ProgramDirectory() {
  char program[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string path(program, length);
  return path.substr(0, path.rfind('\\'));
}

// A file that is no program where a program is looked for: found, it fails with
// ERROR_BAD_EXE_FORMAT, which shows where the search looked first.
void CheckSearchOrder() {
  const std::string bad = "not a program\r\n";
  const std::string planted = InScratch("rundll32.exe");
  ok(WriteBytes(planted, bad), "writing %s failed", planted.c_str());
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(kScratch);
  PROCESS_INFORMATION info;
  const std::string arguments = " printui.dll,PrintUIEntry /y /n \"K7X No Such Printer\"";
  ok_fails(!Create(nullptr, "rundll32.exe" + arguments, nullptr, info), ERROR_BAD_EXE_FORMAT,
           "a bare rundll32.exe with one in the current directory");
  ok_fails(!Create(nullptr, "rundll32" + arguments, nullptr, info), ERROR_BAD_EXE_FORMAT,
           "a bare rundll32 (no extension) with one in the current directory");
  UINT result = WinExec(("rundll32" + arguments).c_str(), 0);
  ok(result == ERROR_BAD_FORMAT, "WinExec of a bare rundll32 with one in the current directory gave %u, expected 11",
     result);
  ok_fails(!Create(planted.c_str(), "rundll32.exe" + arguments, nullptr, info), ERROR_BAD_EXE_FORMAT,
           "CreateProcessA with a bad image as application name");
  CheckRun(SystemFile("rundll32.exe").c_str(), "the system's rundll32 by name beside a planted one");
  SetCurrentDirectoryA(previous);
  DeleteFileA(planted.c_str());

  const std::string beside = ProgramDirectory() + "\\k7xprobe.exe";
  ok(WriteBytes(beside, bad), "writing %s failed", beside.c_str());
  ok_fails(!Create(nullptr, "k7xprobe /x", kScratch, info), ERROR_BAD_EXE_FORMAT,
           "a bare name found in the program's own directory");
  DeleteFileA(beside.c_str());
  ok_fails(!Create(nullptr, "k7xprobe /x", nullptr, info), ERROR_FILE_NOT_FOUND, "a bare name found nowhere");
}

}  // namespace

void CheckProcesses() {
  CheckFailures();
  CheckSearchOrder();
  CheckRun(nullptr, "a full command line");
  CheckRun(SystemFile("rundll32.exe").c_str(), "with the application name");
  UINT result = WinExec(HarmlessCommand().c_str(), 0);
  ok(result > 31, "WinExec of the system's rundll32 gave %u, expected more than 31", result);
}

}  // namespace conformance
