// winspool at its edges: environment names without case, empty and "all"; the driver directory's
// sizes; EnumPrinterDriversA at every level Windows 2000 and later have; OpenPrinterA with an empty
// name, NULL handles and impossible access; ClosePrinter and DeleteFormA on bad handles;
// EnumPrintersA's NULL counts and small buffers; SetDefaultPrinterA(NULL) with and without a default.
#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <string>
#include <vector>

#include "check.h"
#include "parts.h"

namespace conformance {
namespace {

constexpr const char* kDriver = "Generic / Text Only";
constexpr const char* kAddedPrinter = "Conformance Added";  // added by the install part
const char kAccessNote[] = "Wine's OpenPrinterA grants the print server any access asked for";
const char kEmptyNameNote[] = "Wine answers an empty printer name with ERROR_INVALID_PARAMETER, as Windows 9x did";
const char kNoDefaultNote[] =
    "Wine's SetDefaultPrinterA(NULL) without a default fails with ERROR_INVALID_PRINTER_NAME instead of picking a "
    "printer";
const char kFormStubNote[] = "Wine's DeleteFormA is a stub that reports success for any handle";

std::string DriverDirectory(const char* environment, BOOL* done, DWORD* error) {
  char buffer[MAX_PATH] = {};
  DWORD needed = 0;
  SetLastError(0xdeadbeef);
  *done = GetPrinterDriverDirectoryA(nullptr, const_cast<LPSTR>(environment), 1, reinterpret_cast<BYTE*>(buffer),
                                     sizeof buffer, &needed);
  *error = GetLastError();
  return buffer;
}

bool EndsWithNoCase(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && !lstrcmpiA(s.c_str() + s.size() - tail.size(), tail.c_str());
}

void CheckDriverDirectories() {
  BOOL done = FALSE;
  DWORD error = 0;
  std::string own = DriverDirectory(nullptr, &done, &error);
  for (const char* environment : {"", "windows nt X86", "WINDOWS NT X86"}) {
    std::string dir = DriverDirectory(environment, &done, &error);
    ok(done && !lstrcmpiA(dir.c_str(), own.c_str()), "the driver directory of '%s' is '%s' (%u), expected '%s'",
       environment, dir.c_str(), static_cast<unsigned>(error), own.c_str());
  }
  std::string win40 = DriverDirectory("windowS 4.0", &done, &error);
  ok(done && EndsWithNoCase(win40, "\\win40"), "the driver directory of 'windowS 4.0' is '%s' (%u), expected ...\\WIN40",
     win40.c_str(), static_cast<unsigned>(error));
  DriverDirectory("invalid_env", &done, &error);
  ok(!done && error == ERROR_INVALID_ENVIRONMENT, "an unknown environment: %s with %u, expected to fail with 1805",
     done ? "succeeded" : "failed", static_cast<unsigned>(error));

  DWORD needed = 0;
  ok_fails(!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, nullptr, 0, &needed), ERROR_INSUFFICIENT_BUFFER,
           "GetPrinterDriverDirectoryA asked for its size");
  ok(needed == own.size() + 1, "the size asked for is %u, expected %u", static_cast<unsigned>(needed),
     static_cast<unsigned>(own.size() + 1));
  std::vector<BYTE> exact(needed);
  DWORD again = 0;
  ok(GetPrinterDriverDirectoryA(nullptr, nullptr, 1, exact.data(), needed, &again) && again == needed &&
         exact[needed - 1] == 0,
     "the driver directory into exactly its size failed with %u", static_cast<unsigned>(GetLastError()));
  char empty[] = "";
  ok(GetPrinterDriverDirectoryA(empty, nullptr, 1, exact.data(), needed, &again),
     "an empty server name is not the local machine: %u", static_cast<unsigned>(GetLastError()));
}

// The drivers at `level` for `environment`: the two-call protocol, then whether kDriver is listed
// with its version and environment.
void CheckDriverLevel(DWORD level, const char* environment) {
  DWORD needed = 0;
  DWORD returned = 0;
  LPSTR env = const_cast<LPSTR>(environment);
  BOOL sized = EnumPrinterDriversA(nullptr, env, level, nullptr, 0, &needed, &returned);
  DWORD error = GetLastError();
  ok(!sized && error == ERROR_INSUFFICIENT_BUFFER && needed > 0,
     "EnumPrinterDriversA level %u, '%s', asked for its size: %s with %u, %u bytes", static_cast<unsigned>(level),
     environment ? environment : "(null)", sized ? "succeeded" : "failed", static_cast<unsigned>(error),
     static_cast<unsigned>(needed));
  if (sized || !needed) return;
  std::vector<BYTE> buffer(needed);
  ok(EnumPrinterDriversA(nullptr, env, level, buffer.data(), needed, &needed, &returned) && returned >= 1,
     "EnumPrinterDriversA level %u, '%s', into its size failed with %u", static_cast<unsigned>(level),
     environment ? environment : "(null)", static_cast<unsigned>(GetLastError()));
  bool found = false;
  for (DWORD i = 0; i < returned && !found; ++i) {
    if (level == 1) {
      found = !std::strcmp(reinterpret_cast<DRIVER_INFO_1A*>(buffer.data())[i].pName, kDriver);
      continue;
    }
    // Every level from 2 up begins with the version, the name and the environment.
    size_t stride = level == 2 ? sizeof(DRIVER_INFO_2A) : level == 3 ? sizeof(DRIVER_INFO_3A)
                    : level == 4 ? sizeof(DRIVER_INFO_4A) : level == 5 ? sizeof(DRIVER_INFO_5A)
                    : level == 6 ? sizeof(DRIVER_INFO_6A) : sizeof(DRIVER_INFO_8A);
    const DRIVER_INFO_2A* head = reinterpret_cast<const DRIVER_INFO_2A*>(buffer.data() + i * stride);
    found = !std::strcmp(head->pName, kDriver) && head->cVersion == 3 && !lstrcmpiA(head->pEnvironment, "Windows NT x86");
  }
  ok(found, "EnumPrinterDriversA level %u, '%s', does not list '%s' as version 3 of Windows NT x86",
     static_cast<unsigned>(level), environment ? environment : "(null)", kDriver);
}

void CheckDriverLevels() {
  for (DWORD level : {1u, 2u, 3u, 4u, 5u, 6u, 8u}) CheckDriverLevel(level, nullptr);
  CheckDriverLevel(3, "all");
  CheckDriverLevel(3, "");
  CheckDriverLevel(2, "windows nt x86");
  DWORD needed = 0;
  DWORD returned = 0;
  char unknown[] = "invalid_env";
  ok_fails(!EnumPrinterDriversA(nullptr, unknown, 1, nullptr, 0, &needed, &returned), ERROR_INVALID_ENVIRONMENT,
           "EnumPrinterDriversA of an unknown environment");
  ok_fails(!EnumPrinterDriversA(nullptr, nullptr, 9, nullptr, 0, &needed, &returned), ERROR_INVALID_LEVEL,
           "EnumPrinterDriversA level 9");
}

void CheckOpenClose() {
  HANDLE printer = reinterpret_cast<HANDLE>(1);
  char empty[] = "";
  todo_wine(kEmptyNameNote) {
    ok_fails(!OpenPrinterA(empty, &printer, nullptr), ERROR_INVALID_PRINTER_NAME, "OpenPrinterA of an empty name");
  }
  PRINTER_DEFAULTSA defaults = {nullptr, nullptr, 0};
  ok(OpenPrinterA(nullptr, &printer, &defaults) && ClosePrinter(printer),
     "the print server opened with no access asked for failed with %u", static_cast<unsigned>(GetLastError()));
  defaults.DesiredAccess = 0xffffffff;
  todo_wine(kAccessNote) {
    BOOL opened = OpenPrinterA(nullptr, &printer, &defaults);
    DWORD error = GetLastError();
    ok(!opened && error == ERROR_ACCESS_DENIED, "the print server opened with every access bit: %s with %u",
       opened ? "succeeded" : "failed", static_cast<unsigned>(error));
    if (opened) ClosePrinter(printer);
  }
  char name[] = "Conformance";
  ok(OpenPrinterA(name, &printer, nullptr), "OpenPrinterA(Conformance) failed with %u", static_cast<unsigned>(GetLastError()));
  ok(ClosePrinter(printer), "ClosePrinter of an open printer failed with %u", static_cast<unsigned>(GetLastError()));
  ok_fails(!ClosePrinter(printer), ERROR_INVALID_HANDLE, "ClosePrinter of a handle already closed");
  char form[] = "Letter";
  todo_wine(kFormStubNote) { ok_fails(!DeleteFormA(nullptr, form), ERROR_INVALID_HANDLE, "DeleteFormA(NULL)"); }
}

void CheckEnumPrinters() {
  DWORD needed = 0;
  DWORD returned = 0;
  BOOL sized = EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, nullptr, &returned);
  ok(!sized, "EnumPrintersA with a NULL size succeeded");
  sized = EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, nullptr);
  ok(!sized, "EnumPrintersA with a NULL count succeeded");
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed + 16, 0xcc);
  DWORD again = 0;
  ok_fails(!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), 1, &again, &returned), ERROR_INSUFFICIENT_BUFFER,
           "EnumPrintersA into 1 byte");
  ok(again == needed && returned == 0, "EnumPrintersA into 1 byte told %u bytes and %u printers, expected %u and 0",
     static_cast<unsigned>(again), static_cast<unsigned>(returned), static_cast<unsigned>(needed));
  ok(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &again, &returned) && returned >= 2 &&
         buffer[needed] == 0xcc,
     "EnumPrintersA into its size gave %u printers or wrote past them", static_cast<unsigned>(returned));
}

std::string DefaultPrinter() {
  char name[MAX_PATH] = {};
  DWORD count = sizeof name;
  return GetDefaultPrinterA(name, &count) ? name : "";
}

}  // namespace

// SetDefaultPrinterA(NULL) picks an installed printer when there is no default and keeps the
// default there is. The user's default is restored after.
void CheckDefaultPrinterChoice() {
  HKEY windows = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0, KEY_ALL_ACCESS, &windows);
  char saved[MAX_PATH] = {};
  DWORD size = sizeof saved;
  bool had = RegQueryValueExA(windows, "Device", nullptr, nullptr, reinterpret_cast<BYTE*>(saved), &size) == ERROR_SUCCESS;
  RegDeleteValueA(windows, "Device");
  todo_wine(kNoDefaultNote) {
    ok(SetDefaultPrinterA(nullptr), "SetDefaultPrinterA(NULL) without a default failed with %u",
       static_cast<unsigned>(GetLastError()));
    std::string picked = DefaultPrinter();
    HANDLE printer = nullptr;
    ok(!picked.empty() && OpenPrinterA(picked.data(), &printer, nullptr),
       "SetDefaultPrinterA(NULL) without a default left the default '%s', expected an installed printer", picked.c_str());
    if (printer) ClosePrinter(printer);
  }
  SetDefaultPrinterA(kAddedPrinter);
  ok(SetDefaultPrinterA(nullptr) && DefaultPrinter() == kAddedPrinter,
     "SetDefaultPrinterA(NULL) changed the default to '%s', expected it kept", DefaultPrinter().c_str());
  if (had) RegSetValueExA(windows, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved), size);
  else RegDeleteValueA(windows, "Device");
  RegCloseKey(windows);
}

void CheckSpoolerEdges() {
  CheckDriverDirectories();
  CheckDriverLevels();
  CheckOpenClose();
  CheckEnumPrinters();
}

}  // namespace conformance
