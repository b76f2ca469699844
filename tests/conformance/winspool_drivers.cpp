// winspool: EnumPrinterDriversA level 3 for "Windows NT x86": the two-call size protocol, the
// records with their strings packed after them, and full paths in the driver directory's version-3
// folder. Both machines hold the driver "Generic / Text Only" (UNIDRV.DLL with TTY.GPD).
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "check.h"
#include "parts.h"

namespace conformance {
namespace {

constexpr const char* kDriver = "Generic / Text Only";

std::string VersionDirectory() {
  char directory[MAX_PATH] = {};
  DWORD needed = 0;
  char environment[] = "Windows NT x86";
  GetPrinterDriverDirectoryA(nullptr, environment, 1, reinterpret_cast<BYTE*>(directory), sizeof directory, &needed);
  return std::string(directory) + "\\3\\";
}

bool InBuffer(const char* text, const std::vector<BYTE>& buffer) {
  const BYTE* p = reinterpret_cast<const BYTE*>(text);
  return p >= buffer.data() && p < buffer.data() + buffer.size();
}

void CheckRecord(const DRIVER_INFO_3A& info, const std::vector<BYTE>& buffer) {
  ok(info.cVersion == 3, "the driver's version is %u, expected 3", static_cast<unsigned>(info.cVersion));
  ok(info.pEnvironment && std::string(info.pEnvironment) == "Windows NT x86", "the driver's environment is '%s'",
     info.pEnvironment ? info.pEnvironment : "(null)");
  const std::string folder = VersionDirectory();
  const struct {
    const char* value;
    const char* file;
  } paths[] = {{info.pDriverPath, "UNIDRV.DLL"}, {info.pDataFile, "TTY.GPD"}, {info.pConfigFile, "UNIDRVUI.DLL"}};
  for (const auto& path : paths) {
    std::string expected = folder + path.file;
    ok(path.value && lstrcmpiA(path.value, expected.c_str()) == 0, "a driver file is '%s', expected '%s'",
       path.value ? path.value : "(null)", expected.c_str());
  }
  bool inside = true;
  for (const char* text : {info.pName, info.pEnvironment, info.pDriverPath, info.pDataFile, info.pConfigFile})
    inside = inside && text && InBuffer(text, buffer);
  ok(inside, "the record's strings are not all in the caller's buffer");
}

}  // namespace

void CheckDrivers() {
  char environment[] = "Windows NT x86";
  DWORD needed = 0, returned = 0;
  ok_fails(!EnumPrinterDriversA(nullptr, environment, 3, nullptr, 0, &needed, &returned), ERROR_INSUFFICIENT_BUFFER,
           "EnumPrinterDriversA level 3 into no buffer");
  ok(needed > sizeof(DRIVER_INFO_3A), "the first call asked for %u bytes, expected a record and its strings",
     static_cast<unsigned>(needed));
  std::vector<BYTE> buffer(needed);
  ok_fails(!EnumPrinterDriversA(nullptr, environment, 3, buffer.data(), needed - 1, &needed, &returned),
           ERROR_INSUFFICIENT_BUFFER, "EnumPrinterDriversA into one byte less than asked for");
  DWORD asked = needed;
  ok(EnumPrinterDriversA(nullptr, environment, 3, buffer.data(), asked, &needed, &returned) && needed == asked,
     "EnumPrinterDriversA into the size asked for failed with %u (needed %u of %u)",
     static_cast<unsigned>(GetLastError()), static_cast<unsigned>(needed), static_cast<unsigned>(asked));
  const auto* records = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
  const DRIVER_INFO_3A* found = nullptr;
  for (DWORD i = 0; i < returned && i * sizeof(DRIVER_INFO_3A) < buffer.size(); ++i)
    if (records[i].pName && std::string(records[i].pName) == kDriver) found = &records[i];
  ok(found != nullptr, "'%s' is not among the %u drivers listed", kDriver, static_cast<unsigned>(returned));
  if (found) CheckRecord(*found, buffer);

  char unknown[] = "No Such Environment";
  ok_fails(!EnumPrinterDriversA(nullptr, unknown, 3, buffer.data(), asked, &needed, &returned),
           ERROR_INVALID_ENVIRONMENT, "EnumPrinterDriversA for an unknown environment");
  ok_fails(!EnumPrinterDriversA(nullptr, environment, 9, buffer.data(), asked, &needed, &returned), ERROR_INVALID_LEVEL,
           "EnumPrinterDriversA at level 9");
}

}  // namespace conformance
