// Install, then the uninstall entry's program, through "winemu run" on each kind of machine: the
// machine ends as it was before the installation, apart from what stays by design.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "support/machine_fixture.h"
#include "winemu/advapi32/registry.h"
#include "winemu/machine/machine.h"
#include "winemu/winspool/spooler_store.h"

namespace {

namespace fs = std::filesystem;
using k7x::test::TempDir;

const char* const kDriverDir = "WINDOWS/system32/spool/drivers/w32x86";
const char* const kCoreFiles[] = {"STDNAMES.GPD", "UNIDRV.DLL", "UNIDRV.HLP", "UNIDRVUI.DLL", "UNIRES.DLL"};

int Shell(const std::string& command) {
  int status = std::system((command + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Kind {
  const char* name;
  const char* version;
  const char* language;
  friend void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }
};

class UninstallAfterInstall : public ::testing::TestWithParam<Kind> {
 protected:
  void SetUp() override {
    machine_ = tmp_.path() / "machine";
    ASSERT_EQ(Shell(std::string(WINEMU_COMMAND) + " create " + machine_.string() + " --version " + GetParam().version +
                    " --lang " + GetParam().language + " --printer Text"),
              0);
    // The generic driver's own data file, as Windows keeps it.
    std::ofstream(C(kDriverDir) / "3" / "TTY.GPD", std::ios::binary) << "*GPDFileName: \"TTY.GPD\"\r\n";
  }

  int Run(const std::string& program, const std::string& actions) {
    fs::path script = tmp_.path() / "script.txt";
    std::ofstream(script) << actions;
    return Shell(std::string(WINEMU_COMMAND) + " run " + machine_.string() + " " + program + " --script " +
                 script.string());
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

TEST_P(UninstallAfterInstall, LeavesTheMachineAsBeforeApartFromWhatStaysByDesign) {
  std::set<std::string> before = Snapshot();
  ASSERT_EQ(Run(K7X_SETUP_PROGRAM, "click 12324\nclick 12324\nselect 1006 0\nclick 12324\nwait 500\nanswer\n"), 0);
  std::set<std::string> installed = Snapshot();
  ASSERT_TRUE(installed.count("printer K7X driver=K7X port=LPT1:"));
  ASSERT_TRUE(installed.count("entry K7X printer"));

  // The entry's program, confirmed with the default button, then the outcome acknowledged.
  ASSERT_EQ(Run(K7X_UNINSTALL_PROGRAM, "answer\nanswer\n"), 0);
  std::string trace = Read(machine_ / "trace.log");
  const std::string uninstaller = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallK7X.exe";
  EXPECT_NE(trace.find("process.start " + uninstaller), std::string::npos);

  // What stays by design: the Unidrv core files, which the uninstaller never touches, and the
  // uninstaller itself until Windows starts again.
  std::set<std::string> expected = before;
  for (const char* core : kCoreFiles) {
    expected.insert(std::string("D\\") + core);
    expected.insert(std::string("D\\3\\") + core);
  }
  expected.insert("D\\uninstallK7X.exe");
  std::set<std::string> after = Snapshot();
  EXPECT_EQ(after, expected);
  EXPECT_EQ(PendingOperations(), "\\??\\" + uninstaller + std::string("\0\0\0", 3));
  EXPECT_TRUE(after.count("printer Text driver=Generic / Text Only port=LPT1:"));
  EXPECT_TRUE(after.count("default Text"));
  EXPECT_EQ(Read(C(kDriverDir) / "3" / "TTY.GPD"), "*GPDFileName: \"TTY.GPD\"\r\n");

  // Setup's own leftovers stay too: the staged files in C:\TEMP and, beside setup.exe, its
  // language files and settings file.
  EXPECT_EQ(Files(C("TEMP"), "").count("uninstallK7X.exe"), 1u);
  EXPECT_EQ(Files(C("TEMP"), "").count("K7X.INF"), 1u);
  EXPECT_EQ(Files(C("Setup"), ""), std::set<std::string>{"setting.dll"});
  std::set<std::string> languages = Files(C("Setup/Language"), "");
  EXPECT_EQ(languages.size(), 2u);
  EXPECT_TRUE(languages.count("Multi_eng.dll"));
}

INSTANTIATE_TEST_SUITE_P(EachKindOfMachine, UninstallAfterInstall,
                         ::testing::Values(Kind{"Windows2000SimplifiedChinese", "5.0", "0x0804"},
                                           Kind{"WindowsXpEnglish", "5.1", "0x0409"},
                                           Kind{"Windows2003TraditionalChinese", "5.2", "0x0404"},
                                           Kind{"VistaEnglish", "6.0", "0x0409"},
                                           Kind{"Windows7SimplifiedChinese", "6.1", "0x0804"}),
                         [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.name); });

}  // namespace
