#include "seed/create.h"

#include <fstream>

#include <windows.h>

#include "advapi32/registry.h"
#include "advapi32/services.h"
#include "kernel32/file_security.h"
#include "machine/machine.h"
#include "winspool/spooler_store.h"

namespace winemu {
namespace {

// The driver Windows installs for "Generic / Text Only": a Unidrv driver with the Unidrv core.
spooler::DriverRecord GenericTextOnlyDriver() {
  spooler::DriverRecord driver;
  driver.name = "Generic / Text Only";
  driver.driverPath = "UNIDRV.DLL";
  driver.dataFile = "TTY.GPD";
  driver.configFile = "UNIDRVUI.DLL";
  driver.helpFile = "UNIDRV.HLP";
  driver.dependentFiles = {"TTYRES.DLL", "TTY.INI", "TTY.DLL", "TTYUI.DLL", "TTYUI.HLP", "UNIRES.DLL", "STDNAMES.GPD"};
  return driver;
}

// The registry of a new machine: the Spooler service (stopped with the fault spooler_stopped), the
// spooler's keys and the printers asked for, each on LPT1: with the driver "Generic / Text Only";
// the first printer is the default one; the Session Manager's key, where delayed file operations go;
// SOFTWARE\Classes, which HKEY_CLASSES_ROOT shows.
void SeedRegistry(const std::filesystem::path& dir, const CreateOptions& options, unsigned codePage) {
  reg::Registry registry(dir / "registry", codePage);
  registry.Create(reg::Root::LocalMachine, {"SOFTWARE", "Classes"});
  registry.Create(reg::Root::LocalMachine, *reg::SplitKeyPath("SYSTEM\\CurrentControlSet\\Control\\Session Manager"));
  svc::WriteSpoolerService(registry, options.faults.count("spooler_stopped") == 0);
  spooler::WriteSpoolerKeys(registry);
  if (!options.printers.empty()) spooler::WriteDriver(registry, GenericTextOnlyDriver());
  for (const std::string& name : options.printers) {
    spooler::PrinterRecord printer;
    printer.name = name;
    printer.driver = "Generic / Text Only";
    printer.port = "LPT1:";
    spooler::WritePrinter(registry, printer);
  }
  if (!options.printers.empty()) spooler::WriteDefaultPrinter(registry, options.printers.front(), "LPT1:");
  registry.SaveAll();
}

// The files of the drivers a new machine has, in the driver directory's 3 subdirectory; each holds
// one line naming it.
void SeedDriverFiles(const std::filesystem::path& versionDir, const CreateOptions& options) {
  if (options.printers.empty()) return;
  spooler::DriverRecord driver = GenericTextOnlyDriver();
  std::vector<std::string> files = driver.dependentFiles;
  files.insert(files.end(), {driver.driverPath, driver.dataFile, driver.configFile, driver.helpFile});
  for (const std::string& file : files)
    std::ofstream(versionDir / file, std::ios::binary) << "system file " << file << "\r\n";
}

// The machine.ini of `options`, read back as a run would read it: a value no run can read is
// refused here.
MachineConfig ConfigFor(const CreateOptions& options) {
  MachineConfig config;
  config.major = options.major;
  config.minor = options.minor;
  config.build = DefaultBuild(options.major, options.minor);
  config.nt = options.nt;
  config.langId = options.langId;
  config.codePage = options.codePage.value_or(MachineConfig::DefaultCodePage(options.langId));
  config.admin = options.admin;
  config.x64 = options.x64;
  config.faults = options.faults;
  MachineConfig::Parse(config.Serialize(), "options");
  return config;
}

// C:\TEMP as a standard user leaves it on Windows 2000: theirs, and Everyone may change what is in it.
void SeedUserTemp(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir / "drive_c" / "TEMP");
  const std::uint8_t inherit = 0x3;  // to files and folders below
  FileSecurity temp{sids::kStandardUser,
                    false,
                    {{sids::kEveryone, kChangeAccess, inherit},
                     {sids::kAdministrators, FILE_ALL_ACCESS, inherit},
                     {sids::kSystem, FILE_ALL_ACCESS, inherit}}};
  std::ofstream(dir / "security.txt", std::ios::binary) << FormatSecurityFile({{"C:\\TEMP", temp}});
}

void WriteMachine(const std::filesystem::path& dir, const CreateOptions& options, const MachineConfig& config) {
  namespace fs = std::filesystem;
  fs::path c = dir / "drive_c";
  for (const char* sub : {"WINDOWS/inf", "WINDOWS/system32/spool/drivers/w32x86/3", "Setup"})
    fs::create_directories(c / sub);
  if (options.x64) fs::create_directories(c / "WINDOWS/system32/spool/drivers/x64/3");
  if (options.userTemp) SeedUserTemp(dir);
  SeedRegistry(dir, options, config.codePage);
  SeedDriverFiles(c / "WINDOWS/system32/spool/drivers/w32x86/3", options);
  // The win.ini every Windows has: the profile functions read it when given no file name.
  std::ofstream(c / "WINDOWS/win.ini", std::ios::binary)
      << "; for 16-bit app support\r\n[fonts]\r\n[extensions]\r\n[mci extensions]\r\n[files]\r\n";
  for (const auto& [number, file] : options.oemInfs) {
    std::string base = "oem" + std::to_string(number);
    fs::copy_file(file, c / "WINDOWS/inf" / (base + ".inf"), fs::copy_options::overwrite_existing);
    std::ofstream(c / "WINDOWS/inf" / (base + ".pnf"), std::ios::binary) << "PNF precompiled " << base << ".inf\r\n";
  }
  std::ofstream(dir / "machine.ini", std::ios::binary) << config.Serialize();
  reg::Registry readBack(dir / "registry", config.codePage);  // throws for what a run could not read
}

void CreateDefaultMachine(const std::filesystem::path& dir) { CreateMachine(dir, CreateOptions{}); }

// Installed ahead of the program's own static objects, which may already use the machine.
struct CreatorInstaller {
  CreatorInstaller() { Machine::SetCreator(&CreateDefaultMachine); }
};
[[maybe_unused]] __attribute__((init_priority(200))) CreatorInstaller kCreatorInstaller;

}  // namespace

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
  bool existed = fs::exists(dir);
  if (existed && (!fs::is_directory(dir) || !fs::is_empty(dir)))
    throw MachineError("directory exists and is not empty: " + dir.string());
  MachineConfig config = ConfigFor(options);
  for (const auto& [number, file] : options.oemInfs)
    if (!fs::is_regular_file(file))
      throw MachineError("--oem-inf " + std::to_string(number) + "=" + file.string() + ": no such file");
  try {
    WriteMachine(dir, options, config);
  } catch (...) {
    // Nothing half-made stays behind.
    std::error_code ec;
    if (existed) {
      for (const auto& entry : fs::directory_iterator(dir, ec)) fs::remove_all(entry.path(), ec);
    } else {
      fs::remove_all(dir, ec);
    }
    throw;
  }
}

}  // namespace winemu
