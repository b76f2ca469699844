// EnumPrinterDriversA over the drivers the spooler keeps under the environment "Windows NT x86",
// version 3. Levels 1 to 3, the two-call size protocol, the records first and their
// strings after them. As Windows reports them, the driver, data, configuration, help and dependent
// files are full paths in the driver directory's version subdirectory; a help file, dependent
// files, monitor or datatype the driver does not have is a null pointer.
//
// Traced: spooler.enumdrivers with level, buffer size, needed size and count.
#include <string>
#include <vector>

#include <windows.h>
#include <winspool.h>
#include "machine/ini.h"
#include "spooler_calls.h"

using namespace winemu;

namespace {

std::string InVersionDirectory(const spooler::DriverRecord& d, const std::string& file) {
  return file.empty() ? file : spooler::DriverDirectory() + "\\" + std::to_string(d.version) + "\\" + file;
}

std::string DependentList(const spooler::DriverRecord& d) {
  std::string list;
  for (const std::string& file : d.dependentFiles) list += InVersionDirectory(d, file) + '\0';
  return list.empty() ? list : list + '\0';
}

size_t RecordSize(DWORD level) {
  return level == 1 ? sizeof(DRIVER_INFO_1A) : level == 2 ? sizeof(DRIVER_INFO_2A) : sizeof(DRIVER_INFO_3A);
}

// Bytes one driver takes at `level`: its record and its strings.
size_t DriverSize(const spooler::DriverRecord& d, DWORD level) {
  size_t size = RecordSize(level) + d.name.size() + 1;
  if (level == 1) return size;
  for (const std::string* file : {&d.driverPath, &d.dataFile, &d.configFile})
    size += InVersionDirectory(d, *file).size() + 1;
  size += d.environment.size() + 1;
  if (level == 2) return size;
  auto optional = [](const std::string& s) { return s.empty() ? 0 : s.size() + 1; };
  return size + optional(InVersionDirectory(d, d.helpFile)) + DependentList(d).size() + optional(d.monitor) +
         optional(d.defaultDatatype);
}

void FillRecord(const spooler::DriverRecord& d, DWORD level, spooler::StringPack& strings, LPBYTE record) {
  auto text = [&](const std::string& s) { return strings.Text(s); };
  auto optional = [&](const std::string& s) { return s.empty() ? nullptr : strings.Text(s); };
  if (level == 1) {
    DRIVER_INFO_1A info{text(d.name)};
    std::memcpy(record, &info, sizeof info);
    return;
  }
  DRIVER_INFO_3A info{};
  info.cVersion = d.version;
  info.pName = text(d.name);
  info.pEnvironment = text(d.environment);
  info.pDriverPath = text(InVersionDirectory(d, d.driverPath));
  info.pDataFile = text(InVersionDirectory(d, d.dataFile));
  info.pConfigFile = text(InVersionDirectory(d, d.configFile));
  if (level == 3) {
    info.pHelpFile = optional(InVersionDirectory(d, d.helpFile));
    std::string dependents = DependentList(d);
    info.pDependentFiles = dependents.empty() ? nullptr : strings.Bytes(dependents.data(), dependents.size());
    info.pMonitorName = optional(d.monitor);
    info.pDefaultDataType = optional(d.defaultDatatype);
  }
  // Level 2 is the head of level 3.
  std::memcpy(record, &info, RecordSize(level));
}

}  // namespace

BOOL WINAPI EnumPrinterDriversA(LPSTR pName, LPSTR pEnvironment, DWORD Level, LPBYTE pDriverInfo, DWORD cbBuf,
                                LPDWORD pcbNeeded, LPDWORD pcReturned) {
  std::string env = pEnvironment ? pEnvironment : spooler::kEnvironment;
  DWORD err = spooler::SpoolerError();
  if (!err && (!pcbNeeded || !pcReturned)) err = ERROR_INVALID_PARAMETER;
  if (!err && pName && *pName) err = ERROR_INVALID_NAME;  // only the local machine
  if (!err && !EqualsNoCase(env, spooler::kEnvironment)) err = ERROR_INVALID_ENVIRONMENT;
  if (!err && (Level < 1 || Level > 3)) err = ERROR_INVALID_LEVEL;
  std::vector<spooler::DriverRecord> drivers;
  if (!err) drivers = spooler::Drivers();
  size_t needed = 0;
  for (const auto& d : drivers) needed += DriverSize(d, Level);
  if (!err) {
    *pcbNeeded = static_cast<DWORD>(needed);
    *pcReturned = 0;
    if (cbBuf < needed || (needed && !pDriverInfo)) err = ERROR_INSUFFICIENT_BUFFER;
  }
  if (!err) {
    spooler::StringPack strings(pDriverInfo, cbBuf);
    for (size_t i = 0; i < drivers.size(); ++i) FillRecord(drivers[i], Level, strings, pDriverInfo + i * RecordSize(Level));
    *pcReturned = static_cast<DWORD>(drivers.size());
  }
  return spooler::CallResult("spooler.enumdrivers",
                             "level=" + std::to_string(Level) + " size=" + std::to_string(cbBuf) +
                                 " needed=" + std::to_string(err && err != ERROR_INSUFFICIENT_BUFFER ? 0 : needed) +
                                 " returned=" + std::to_string(err ? 0 : drivers.size()),
                             err);
}
