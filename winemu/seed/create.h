// Making a new machine directory: machine.ini, the tree of drive C: and the registry of a new
// machine (the Spooler service, the spooler's keys, the printers asked for). Also the way
// Machine::Current() makes a default machine.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "machine/config.h"

namespace winemu {

struct CreateOptions {
  int major = 5;
  int minor = 1;
  bool nt = true;
  std::uint16_t langId = 0x0409;
  std::optional<unsigned> codePage;  // follows the language unless given
  bool admin = true;
  bool x64 = false;  // a 64-bit Windows: both driver environments' directories
  std::vector<std::string> printers;                          // installed printers to seed
  std::vector<std::pair<int, std::filesystem::path>> oemInfs;  // oemN.inf copies to place
  std::map<std::string, std::string> faults;
  bool userTemp = false;  // C:\TEMP made and owned by the standard user, Everyone:Change
};

// Writes machine.ini and the default tree of drive C:. Throws MachineError when `dir` exists and
// is not empty.
void CreateMachine(const std::filesystem::path& dir, const CreateOptions& options);

// Typical build numbers for a version (2195 for 5.0, 2600 for 5.1 ...).
int DefaultBuild(int major, int minor);

}  // namespace winemu
