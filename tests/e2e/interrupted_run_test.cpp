// Runs ended as TerminateProcess would end them (fault terminate_after=N) after every effect of a
// whole installation, and of a whole removal by the uninstaller, each followed by an ordinary run:
// the machine always ends as after one uninterrupted run. The points are shared out over parts
// so that the test runner can spread them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/machine_fixture.h"
#include "support/wizard_walk.h"
#include "winemu/advapi32/registry.h"
#include "winemu/advapi32/services.h"
#include "winemu/machine/machine.h"
#include "winemu/winspool/spooler_store.h"

namespace {

namespace fs = std::filesystem;
using k7x::test::ReadHostFile;
using k7x::test::RunCommand;
using k7x::test::TempDir;
using k7x::test::WizardWalkScript;

constexpr const char* kUninstallScript = "answer\nanswer\n";
constexpr int kParts = 8;

std::string Hash(const std::string& bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  return std::to_string(bytes.size()) + ":" + std::to_string(h);
}

class InterruptedRun : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = tmp_.path() / "base";
    // Another printer with its driver's own file beside the core, and another OEM INF.
    std::ofstream(tmp_.path() / "other.inf") << "[Version]\r\nClass=Printer\r\n[Manufacturer]\r\n\"Other\"=Other\r\n";
    ASSERT_EQ(RunCommand(std::string(WINEMU_COMMAND) + " create " + base_.string() + " --printer Office --oem-inf 7=" +
                    (tmp_.path() / "other.inf").string()).code,
              0);
    std::ofstream(C(base_, "WINDOWS/system32/spool/drivers/w32x86/3/TTY.GPD"), std::ios::binary) << "*GPDFileName: TTY";
  }

  static fs::path C(const fs::path& machine, const std::string& relative) { return machine / "drive_c" / relative; }

  // A copy of `from` at `to`, with `fault` (NAME=VALUE) in its machine.ini when given.
  static void Clone(const fs::path& from, const fs::path& to, const std::string& fault = "") {
    fs::remove_all(to);
    fs::copy(from, to, fs::copy_options::recursive);
    if (!fault.empty()) std::ofstream(to / "machine.ini", std::ios::binary | std::ios::app) << fault << "\r\n";
  }

  int Run(const fs::path& machine, const char* program, const std::string& script) {
    fs::path file = tmp_.path() / "script.txt";
    std::ofstream(file) << script;
    return RunCommand(std::string(WINEMU_COMMAND) + " run " + machine.string() + " " + program + " --script " + file.string()).code;
  }

  // The effects of the program's last run, up to its own end.
  static int Effects(const fs::path& machine) {
    std::istringstream in(ReadHostFile(machine / "trace.log"));
    int effects = 0;
    for (std::string line; std::getline(in, line) && line.find(" process.exit ") == std::string::npos;)
      if (line.find(" -> ") != std::string::npos) ++effects;
    return effects;
  }

  // Files of D, D\3, the inf folder and C:\TEMP with sizes and hashes; printers with driver and
  // port, the default one, drivers, the uninstall entries with their values, the Spooler's state.
  static std::string Snapshot(const fs::path& machine) {
    std::ostringstream out;
    for (const char* dir : {"WINDOWS/system32/spool/drivers/w32x86", "WINDOWS/inf", "TEMP"}) {
      if (!fs::exists(C(machine, dir))) continue;
      for (const auto& e : fs::recursive_directory_iterator(C(machine, dir)))
        out << e.path().lexically_relative(machine).string() << ' '
            << (e.is_regular_file() ? Hash(ReadHostFile(e.path())) : std::string("dir")) << "\n";
    }
    auto previous = winemu::Machine::Use(winemu::Machine::Open(machine));
    for (const auto& p : winemu::spooler::Printers()) out << "printer " << p.name << " " << p.driver << " " << p.port << "\n";
    out << "default " << winemu::spooler::DefaultPrinter().value_or("(none)") << "\n";
    for (const auto& d : winemu::spooler::Drivers()) out << "driver " << d.name << "\n";
    std::vector<std::string> entries = {"SOFTWARE", "Microsoft", "Windows", "CurrentVersion", "Uninstall"};
    for (const std::string& name : winemu::reg::MachineRegistry().SubkeyNames(winemu::reg::Root::LocalMachine, entries)) {
      std::vector<std::string> path = entries;
      path.push_back(name);
      for (const auto& v : winemu::reg::MachineRegistry().Find(winemu::reg::Root::LocalMachine, path)->Values())
        out << "entry " << name << " " << v.name << "=" << v.data << "\n";
    }
    out << "spooler " << winemu::svc::StateName(winemu::svc::Services().State()) << "\n";
    winemu::Machine::Use(std::move(previous));
    return out.str();
  }

  // Every N of part `part`: a clone of `start` cut short after effect N of `program`, then run
  // again (while its program can still be started) must end as `expected`.
  void Converges(const fs::path& start, const char* program, const std::string& script, int effects,
                 const std::string& expected, int part) {
    fs::path work = tmp_.path() / "work";
    int covered = 0;
    for (int n = 1 + part; n <= effects; n += kParts) {
      Clone(start, work, "terminate_after=" + std::to_string(n));
      Run(work, program, script);
      if (ReadHostFile(work / "trace.log").find(" process.terminate ") == std::string::npos) break;  // past its last effect
      std::string ini = ReadHostFile(work / "machine.ini");
      std::ofstream(work / "machine.ini", std::ios::binary | std::ios::trunc)
          << ini.substr(0, ini.rfind("terminate_after="));
      Run(work, program, script);
      EXPECT_EQ(Snapshot(work), expected) << "cut after effect " << n;
      ++covered;
    }
    std::printf("%s: %d interruption points of %d covered in this part\n", program, covered, effects);
    EXPECT_GT(covered, 0);
  }

  TempDir tmp_;
  fs::path base_;
};

class InterruptedInstallation : public InterruptedRun, public ::testing::WithParamInterface<int> {};
class InterruptedRemoval : public InterruptedRun, public ::testing::WithParamInterface<int> {};

TEST_P(InterruptedInstallation, EndsAsOneUninterruptedRun) {
  fs::path reference = tmp_.path() / "reference";
  Clone(base_, reference);
  ASSERT_EQ(Run(reference, K7X_SETUP_PROGRAM, WizardWalkScript()), 0);
  std::string expected = Snapshot(reference);
  ASSERT_NE(expected.find("printer K7X K7X LPT1:"), std::string::npos) << expected;
  Converges(base_, K7X_SETUP_PROGRAM, WizardWalkScript(), Effects(reference), expected, GetParam());
}

TEST_P(InterruptedRemoval, EndsAsOneUninterruptedRun) {
  fs::path installed = tmp_.path() / "installed";
  Clone(base_, installed);
  ASSERT_EQ(Run(installed, K7X_SETUP_PROGRAM, WizardWalkScript()), 0);
  fs::path reference = tmp_.path() / "reference";
  Clone(installed, reference);
  ASSERT_EQ(Run(reference, K7X_UNINSTALL_PROGRAM, kUninstallScript), 0);
  std::string expected = Snapshot(reference);
  ASSERT_EQ(expected.find("printer K7X"), std::string::npos) << expected;
  Converges(installed, K7X_UNINSTALL_PROGRAM, kUninstallScript, Effects(reference), expected, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Parts, InterruptedInstallation, ::testing::Range(0, kParts));
INSTANTIATE_TEST_SUITE_P(Parts, InterruptedRemoval, ::testing::Range(0, kParts));

}  // namespace
