// A machine made by "winemu create" and walked by "winemu run", with what the end-to-end tests
// compare: printers, drivers, uninstall entries and the files of the driver directory.
#pragma once

#include <gtest/gtest.h>
#include <fstream>
#include <set>
#include <sstream>

#include "support/machine_fixture.h"
#include "support/wizard_walk.h"
#include "winemu/advapi32/registry.h"
#include "winemu/machine/machine.h"
#include "winemu/winspool/spooler_store.h"

namespace k7x::test {

namespace fs = std::filesystem;

inline const char* const kDriverDir = "WINDOWS/system32/spool/drivers/w32x86";
inline const char* const kCoreFiles[] = {"STDNAMES.GPD", "UNIDRV.DLL", "UNIDRV.HLP", "UNIDRVUI.DLL", "UNIRES.DLL"};

class MachineWalk {
 protected:
  // A machine of that version and language with a "Generic / Text Only" printer Text.
  void Create(const std::string& version, const std::string& language) {
    machine_ = tmp_.path() / "machine";
    ASSERT_EQ(RunCommand(std::string(WINEMU_COMMAND) + " create " + machine_.string() + " --version " + version +
                    " --lang " + language + " --printer Text").code,
              0);
    // The generic driver's own data file, as Windows keeps it.
    std::ofstream(C(kDriverDir) / "3" / "TTY.GPD", std::ios::binary) << "*GPDFileName: \"TTY.GPD\"\r\n";
  }

  int RunProgram(const std::string& program, const std::string& actions) {
    fs::path script = tmp_.path() / "script.txt";
    std::ofstream(script) << actions;
    return RunCommand(std::string(WINEMU_COMMAND) + " run " + machine_.string() + " " + program + " --script " +
                 script.string()).code;
  }

  fs::path C(const std::string& relative) const { return machine_ / "drive_c" / relative; }

  static std::set<std::string> Files(const fs::path& dir, const std::string& label) {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
      if (e.is_regular_file()) out.insert(label + e.path().filename().string());
    return out;
  }

  // Printers (driver, port), the default printer, drivers, uninstall entries, and the files of the
  // driver directory D, of D\3 and of the inf folder.
  std::set<std::string> Snapshot() {
    auto previous = winemu::Machine::Use(winemu::Machine::Open(machine_));
    std::set<std::string> facts;
    for (const auto& p : winemu::spooler::Printers())
      facts.insert("printer " + p.name + " driver=" + p.driver + " port=" + p.port);
    facts.insert("default " + winemu::spooler::DefaultPrinter().value_or("(none)"));
    for (const auto& d : winemu::spooler::Drivers()) facts.insert("driver " + d.name);
    for (const auto& e : winemu::reg::MachineRegistry().SubkeyNames(
             winemu::reg::Root::LocalMachine, {"SOFTWARE", "Microsoft", "Windows", "CurrentVersion", "Uninstall"}))
      facts.insert("entry " + e);
    winemu::Machine::Use(std::move(previous));
    facts.merge(Files(C(kDriverDir), "D\\"));
    facts.merge(Files(C(kDriverDir) / "3", "D\\3\\"));
    facts.merge(Files(C("WINDOWS/inf"), "inf\\"));
    return facts;
  }

  std::string PendingOperations() {
    auto previous = winemu::Machine::Use(winemu::Machine::Open(machine_));
    auto* key = winemu::reg::MachineRegistry().Find(winemu::reg::Root::LocalMachine,
                                                    {"SYSTEM", "ControlSet001", "Control", "Session Manager"});
    const winemu::reg::Value* value = key ? key->FindValue("PendingFileRenameOperations") : nullptr;
    std::string data = value ? value->data : "";
    winemu::Machine::Use(std::move(previous));
    return data;
  }

  TempDir tmp_;
  fs::path machine_;
};

}  // namespace k7x::test
