// EnumPrinterDriversA over the drivers the spooler keeps under the environment "Windows NT x86",
// version 3 (other environments have none; "all" lists every one's). Levels 1 to 6 and 8, the
// two-call size protocol, the records first and their strings after them. As Windows reports them, the driver, data, configuration, help and dependent
// files are full paths in the driver directory's version subdirectory; a help file, dependent
// files, monitor or datatype the driver does not have is a null pointer.
//
// Traced: spooler.enumdrivers with level, buffer size, needed size and count.
#include <string>
#include <vector>

#include <windows.h>
#include <winspool.h>
#include "machine/ini.h"
#include "environments.h"
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

bool KnownLevel(DWORD level) { return (level >= 1 && level <= 6) || level == 8; }

size_t RecordSize(DWORD level) {
  switch (level) {
    case 1: return sizeof(DRIVER_INFO_1A);
    case 2: return sizeof(DRIVER_INFO_2A);
    case 3: return sizeof(DRIVER_INFO_3A);
    case 4: return sizeof(DRIVER_INFO_4A);
    case 5: return sizeof(DRIVER_INFO_5A);
    case 6: return sizeof(DRIVER_INFO_6A);
    default: return sizeof(DRIVER_INFO_8A);
  }
}

// One driver's record at `level`, its strings packed (or only counted) by `strings`. Every level
// is the head of level 8, but level 5, which has the attributes after the configuration file.
DRIVER_INFO_8A Describe(const spooler::DriverRecord& d, DWORD level, spooler::StringPack& strings) {
  auto text = [&](const std::string& s) { return strings.Text(s); };
  auto optional = [&](const std::string& s) { return s.empty() ? nullptr : strings.Text(s); };
  DRIVER_INFO_8A info{};
  info.cVersion = d.version;
  info.pName = text(d.name);
  if (level == 1) return info;
  info.pEnvironment = text(d.environment);
  info.pDriverPath = text(InVersionDirectory(d, d.driverPath));
  info.pDataFile = text(InVersionDirectory(d, d.dataFile));
  info.pConfigFile = text(InVersionDirectory(d, d.configFile));
  if (level == 2 || level == 5) return info;
  info.pHelpFile = optional(InVersionDirectory(d, d.helpFile));
  std::string dependents = DependentList(d);
  info.pDependentFiles = dependents.empty() ? nullptr : strings.Bytes(dependents.data(), dependents.size());
  info.pMonitorName = optional(d.monitor);
  info.pDefaultDataType = optional(d.defaultDatatype);
  return info;
}

void WriteRecord(const DRIVER_INFO_8A& info, DWORD level, LPBYTE record) {
  if (level == 1) {
    DRIVER_INFO_1A one{info.pName};
    std::memcpy(record, &one, sizeof one);
  } else if (level == 5) {
    DRIVER_INFO_5A five{info.cVersion, info.pName, info.pEnvironment, info.pDriverPath, info.pDataFile, info.pConfigFile, 0, 0, 0};
    std::memcpy(record, &five, sizeof five);
  } else {
    std::memcpy(record, &info, RecordSize(level));
  }
}

}  // namespace

BOOL WINAPI EnumPrinterDriversA(LPSTR pName, LPSTR pEnvironment, DWORD Level, LPBYTE pDriverInfo, DWORD cbBuf,
                                LPDWORD pcbNeeded, LPDWORD pcReturned) {
  std::string env = spooler::CallerEnvironment(pEnvironment);
  bool all = spooler::IsAllEnvironments(env);
  DWORD err = spooler::SpoolerError();
  if (!err && (!pcbNeeded || !pcReturned)) err = ERROR_INVALID_PARAMETER;
  if (!err && pName && *pName) err = ERROR_INVALID_NAME;  // only the local machine
  if (!err && !all && !spooler::EnvironmentDirectory(env)) err = ERROR_INVALID_ENVIRONMENT;
  if (!err && !KnownLevel(Level)) err = ERROR_INVALID_LEVEL;
  std::vector<spooler::DriverRecord> drivers;
  if (!err && (all || EqualsNoCase(env, spooler::kEnvironment))) drivers = spooler::Drivers();
  size_t needed = 0;
  for (const auto& d : drivers) {
    spooler::StringPack counter;
    Describe(d, Level, counter);
    needed += RecordSize(Level) + counter.Used();
  }
  if (!err) {
    *pcbNeeded = static_cast<DWORD>(needed);
    *pcReturned = 0;
    if (cbBuf < needed || (needed && !pDriverInfo)) err = ERROR_INSUFFICIENT_BUFFER;
  }
  if (!err) {
    spooler::StringPack strings(pDriverInfo, cbBuf);
    for (size_t i = 0; i < drivers.size(); ++i)
      WriteRecord(Describe(drivers[i], Level, strings), Level, pDriverInfo + i * RecordSize(Level));
    *pcReturned = static_cast<DWORD>(drivers.size());
  }
  return spooler::CallResult("spooler.enumdrivers",
                             "level=" + std::to_string(Level) + " size=" + std::to_string(cbBuf) +
                                 " needed=" + std::to_string(err && err != ERROR_INSUFFICIENT_BUFFER ? 0 : needed) +
                                 " returned=" + std::to_string(err ? 0 : drivers.size()),
                             err);
}
