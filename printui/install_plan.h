// What installing one model from a printer INF amounts to: the driver files and where each comes
// from, the registry entries of AddReg, and the driver record. Worked out from the INF alone, so
// that a refusal changes nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "inf.h"

namespace printui {

constexpr std::uint32_t kErrorInvalidData = 13;  // ERROR_INVALID_DATA: the INF cannot be used

struct PlannedFile {
  std::string name;                  // as installed in the driver directory's 3 subdirectory
  std::vector<std::string> sources;  // full paths to take it from, the first one present wins
};

struct PlannedValue {
  HKEY root = nullptr;
  std::string rootName;  // as written in the INF, for the trace
  std::string subkey;
  bool keyOnly = false;
  std::string name;  // "" is the key's default value
  DWORD type = REG_SZ;
  std::string data;  // the value's bytes, terminators included
  bool noClobber = false;
};

// The driver as the spooler registers it: file names only.
struct PlannedDriver {
  std::string name;  // the model as the INF spells it
  std::string driverPath;
  std::string dataFile;
  std::string configFile;
  std::string helpFile;
  std::vector<std::string> dependentFiles;
};

struct InstallPlan {
  std::string installSection;
  std::vector<PlannedFile> files;
  std::vector<PlannedValue> values;
  PlannedDriver driver;
};

struct PlanInputs {
  std::string model;
  std::string infDirectory;     // the INF's folder, the root of its source disks
  std::string driverDirectory;  // where files of the system's own INF may also be found
  int major = 5;                // the system version, for the [Manufacturer] decorations
  int minor = 1;
};

struct PlanResult {
  std::optional<InstallPlan> plan;
  std::string error;
  std::uint32_t code = 0;  // the Windows error of a refusal
};

// Reads [Version] Class=Printer, finds the model through [Manufacturer] and its models section
// (the best applicable decoration, NTx86 before NT, none on Windows 2000), then follows the install
// section (name.NTx86, name.NT or name): CopyFiles (file lists and @file), DataFile, DriverFile,
// ConfigFile, HelpFile, Include/Needs (NTPRINT.INF's sections are built in) and AddReg. Sources
// come from [SourceDisksFiles.x86]/[SourceDisksFiles] and [SourceDisksNames.x86]/[SourceDisksNames].
// [DestinationDirs] is not read: a printer driver's files always go to the driver directory.
PlanResult PlanInstall(const InfFile& inf, const PlanInputs& inputs);

// The models section a [Manufacturer] entry names for a system version: `base` or base.DECORATION.
std::string ModelsSection(const std::string& base, const std::vector<std::string>& decorations, int major,
                          int minor);

}  // namespace printui
