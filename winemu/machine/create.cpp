#include "create.h"

#include <fstream>

#include "machine.h"

namespace winemu {

int DefaultBuild(int major, int minor) {
  if (major == 5 && minor == 0) return 2195;
  if (major == 5 && minor == 1) return 2600;
  if (major == 5 && minor == 2) return 3790;
  if (major == 6 && minor == 0) return 6002;
  if (major == 6 && minor == 1) return 7601;
  if (major == 4) return 1381;
  return 1000;
}

void CreateMachine(const std::filesystem::path& dir, const CreateOptions& options) {
  namespace fs = std::filesystem;
  if (fs::exists(dir) && !fs::is_empty(dir)) throw MachineError("directory exists and is not empty: " + dir.string());
  MachineConfig config;
  config.major = options.major;
  config.minor = options.minor;
  config.build = DefaultBuild(options.major, options.minor);
  config.nt = options.nt;
  config.langId = options.langId;
  config.codePage = options.codePage.value_or(MachineConfig::DefaultCodePage(options.langId));
  config.admin = options.admin;
  config.faults = options.faults;

  fs::path c = dir / "drive_c";
  for (const char* sub : {"WINDOWS/inf", "WINDOWS/system32/spool/drivers/w32x86/3", "Setup"})
    fs::create_directories(c / sub);
  fs::create_directories(dir / "registry");
  for (const auto& [number, file] : options.oemInfs) {
    std::string base = "oem" + std::to_string(number);
    fs::copy_file(file, c / "WINDOWS/inf" / (base + ".inf"), fs::copy_options::overwrite_existing);
    std::ofstream(c / "WINDOWS/inf" / (base + ".pnf"), std::ios::binary) << "PNF precompiled " << base << ".inf\r\n";
  }
  std::ofstream(dir / "machine.ini", std::ios::binary) << config.Serialize();
}

}  // namespace winemu
