// setup and its uninstaller as a deployment tool runs them: "winemu run M PROGRAM /quiet ...". A
// quiet run ends as the wizard's walk ends, shows nothing, tells its outcome by exit code and log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "support/machine_fixture.h"
#include "support/wizard_walk.h"

namespace {

namespace fs = std::filesystem;
using k7x::test::RunCommand;
using k7x::test::ReadHostFile;
using k7x::test::TempDir;
using k7x::test::WizardWalkScript;

const char* const kDefaultLog = "WINDOWS/K7Xsetup.log";

class UnattendedRun : public ::testing::Test {
 protected:
  fs::path Machine(const std::string& name, const std::string& options = "") {
    fs::path dir = tmp_.path() / name;
    EXPECT_EQ(RunCommand(std::string(WINEMU_COMMAND) + " create " + dir.string() + " " + options).code, 0);
    return dir;
  }
  // The program's whole exit code (the shell sees its low 8 bits), from the trace. `arguments` go
  // through the shell: quoted where they hold backslashes.
  int Run(const fs::path& machine, const std::string& program, const std::string& arguments,
          const std::string& script = "") {
    std::string command = std::string(WINEMU_COMMAND) + " run " + machine.string() + " " + program + " " + arguments;
    if (!script.empty()) {
      std::ofstream(tmp_.path() / "script.txt") << script;
      command += " --script " + (tmp_.path() / "script.txt").string();
    }
    last_ = RunCommand(command);
    std::string exit = "process.exit ";
    std::string trace = Trace(machine);
    size_t at = trace.rfind(exit);
    return at == std::string::npos ? -1 : std::stoi(trace.substr(at + exit.size()));
  }
  static std::string Trace(const fs::path& machine) { return ReadHostFile(machine / "trace.log"); }
  static size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }
  // Every file of drive C: with its bytes (the logs left out), and the registry files.
  static std::map<std::string, std::string> State(const fs::path& machine) {
    std::map<std::string, std::string> state;
    for (const auto& e : fs::recursive_directory_iterator(machine / "drive_c"))
      if (e.is_regular_file() && e.path().extension() != ".log")
        state[fs::relative(e.path(), machine).string()] = ReadHostFile(e.path());
    for (const auto& e : fs::directory_iterator(machine / "registry")) state[e.path().filename().string()] = ReadHostFile(e.path());
    return state;
  }

  TempDir tmp_;
  k7x::test::CommandResult last_;
};

struct Kind {
  const char* name;
  const char* options;
  friend void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }
};

class QuietOnEachKindOfMachine : public UnattendedRun, public ::testing::WithParamInterface<Kind> {};

TEST_P(QuietOnEachKindOfMachine, EndsAsTheWizardsWalkWithoutAWindowAndTheQuietUninstallRemovesIt) {
  fs::path wizard = Machine("wizard", GetParam().options);
  fs::path quiet = Machine("quiet", GetParam().options);
  ASSERT_EQ(Run(wizard, K7X_SETUP_PROGRAM, "", WizardWalkScript()), 0);
  ASSERT_EQ(Run(quiet, K7X_SETUP_PROGRAM, "/quiet"), 0) << last_.err;
  EXPECT_EQ(State(quiet), State(wizard));
  std::string trace = Trace(quiet);
  EXPECT_EQ(Count(trace, " window.create "), 0u);
  EXPECT_EQ(Count(trace, " msgbox "), 0u);
  EXPECT_NE(ReadHostFile(quiet / "drive_c" / kDefaultLog).find("Exit code 0\r\n"), std::string::npos);
  EXPECT_NE(RunCommand(std::string(WINEMU_COMMAND) + " printers " + quiet.string()).out.find("* K7X"),
            std::string::npos);

  ASSERT_EQ(Run(quiet, K7X_UNINSTALL_PROGRAM, "/quiet"), 0) << last_.err;
  trace = Trace(quiet);
  EXPECT_EQ(Count(trace, " window.create "), 0u);
  EXPECT_EQ(Count(trace, " msgbox "), 0u);
  EXPECT_EQ(RunCommand(std::string(WINEMU_COMMAND) + " printers " + quiet.string()).out.find("K7X"), std::string::npos);
  EXPECT_NE(RunCommand(std::string(WINEMU_COMMAND) + " reg " + quiet.string() +
                       " 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer'")
                .code,
            0);
  EXPECT_NE(ReadHostFile(quiet / "drive_c/WINDOWS/K7Xuninstall.log").find("Exit code 0\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Kinds, QuietOnEachKindOfMachine,
                         ::testing::Values(Kind{"Windows2000SimplifiedChinese", "--version 5.0 --lang 0x0804"},
                                           Kind{"WindowsXpEnglish", "--version 5.1 --lang 0x0409"},
                                           Kind{"Windows2003TraditionalChinese", "--version 5.2 --lang 0x0404"},
                                           Kind{"VistaEnglish", "--version 6.0 --lang 0x0409"},
                                           Kind{"Windows7SimplifiedChinese", "--version 6.1 --lang 0x0804"}),
                         [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.name); });

// Each refusal before anything changes: the exit code, and a trace without a change to the machine.
TEST_F(UnattendedRun, RefusalsChangeNothing) {
  fs::path m = Machine("m");
  fs::path user = Machine("user", "--user");
  fs::path x64 = Machine("x64", "--arch x64");
  fs::path busy = Machine("busy", "'--fault=held_mutex=Global\\K7XPrinterDriverSetup'");
  const std::map<std::string, std::string> fresh = State(m);
  struct Case {
    fs::path machine;
    const char* arguments;
    int code;
  };
  for (const Case& c : {Case{m, "/quiet /bogus", 87}, Case{m, "/quiet /lang=fr", 87}, Case{m, "/quiet /passive", 87},
                        Case{m, "/quiet '/log=C:\\missing\\dir\\k7x.log'", 87}, Case{m, "/quiet '/name=a\\b'", 87},
                        Case{m, "/quiet /name=UNI", 87}, Case{user, "/quiet", 740},
                        Case{user, "/passive", 740}, Case{x64, "/quiet", 1633}, Case{x64, "/passive", 1633},
                        Case{busy, "/quiet", 1618}, Case{busy, "/passive", 1618}}) {
    EXPECT_EQ(Run(c.machine, K7X_SETUP_PROGRAM, c.arguments), c.code) << c.arguments;
    std::string trace = Trace(c.machine);
    for (const char* change : {" reg.setvalue ", " reg.createkey ", " file.copy ", " dir.create C:\\TEMP", " process.create "})
      EXPECT_EQ(Count(trace, change), 0u) << c.arguments << ": " << change;
  }
  EXPECT_EQ(State(m), fresh);
  std::string log = ReadHostFile(m / "drive_c" / kDefaultLog);
  EXPECT_NE(log.find("The printer name a\\b cannot be used: the name contains a character that Windows does not allow"),
            std::string::npos) << log;
  EXPECT_NE(log.find("Exit code 87\r\n"), std::string::npos);
  // Only /quiet keeps the refusal from a person's eyes.
  EXPECT_EQ(Run(m, K7X_SETUP_PROGRAM, "/bogus", "answer\n"), 87);
  EXPECT_NE(Trace(m).find("text=\"Unknown switch \\\"/bogus\\\"."), std::string::npos) << Trace(m);
  EXPECT_EQ(Run(m, K7X_SETUP_PROGRAM, "/?", "answer\n"), 0);
  EXPECT_NE(Trace(m).find("/quiet, /S"), std::string::npos);
}

TEST_F(UnattendedRun, ALogLineForEveryStepWithTheLocalTime) {
  fs::path m = Machine("m");
  ASSERT_EQ(Run(m, K7X_SETUP_PROGRAM, "-- -QUIET '/log:C:\\k7x.log' /lang=zh"), 0) << last_.err;
  std::string log = ReadHostFile(m / "drive_c/k7x.log");
  EXPECT_FALSE(fs::exists(m / "drive_c" / kDefaultLog));
  std::istringstream lines(log);
  std::vector<std::string> texts;
  for (std::string line; std::getline(lines, line);) {
    ASSERT_EQ(line.rfind("2010-01-04 09:", 0), 0u) << line;
    ASSERT_EQ(line.back(), '\r');
    texts.push_back(line.substr(20, line.size() - 21));
  }
  const std::vector<std::string> milestones = {
      "Setup started: \"C:\\Setup\\setup.exe\" -QUIET /log:C:\\k7x.log /lang=zh",
      "Spooler service stopped",
      "Spooler service running",
      "Written C:\\TEMP\\uninstallK7X.exe (payload 255)",
      "Written C:\\TEMP\\K7X.GPD (payload",
      "Copied C:\\TEMP\\UNIDRV.DLL to C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\UNIDRV.DLL",
      "Printer setup utility: rundll32 printui.dll,PrintUIEntry /if /f C:\\TEMP\\K7X.INF /r \"LPT1:\" /b \"K7X\" /m \"K7X\" ",
      "The printer setup utility ended with exit code 0",
      "Local printers: \"K7X\"",
      "Printer \"K7X\" found",
      "Printer setup utility: rundll32 printui.dll,PrintUIEntry /y /n \"K7X\"",
      "Result: ",
      "Exit code 0",
  };
  size_t at = 0;
  for (const std::string& m : milestones) {
    while (at < texts.size() && texts[at].rfind(m, 0) != 0) ++at;
    ASSERT_LT(at, texts.size()) << "missing, or out of order: " << m << "\n" << log;
  }
}

// The progress page alone: one window, its page moving by itself, no message box.
TEST_F(UnattendedRun, PassiveShowsTheProgressPageAloneAndAsksNothing) {
  fs::path m = Machine("m");
  ASSERT_EQ(Run(m, K7X_SETUP_PROGRAM, "/passive /lang=en", "wait 1000\n"), 0) << last_.err;
  std::string trace = Trace(m);
  EXPECT_EQ(Count(trace, " window.create "), 1u) << trace;
  EXPECT_EQ(Count(trace, " msgbox "), 0u);
  EXPECT_NE(RunCommand(std::string(WINEMU_COMMAND) + " printers " + m.string()).out.find("* K7X"), std::string::npos);
}

TEST_F(UnattendedRun, AUtilityThatNeverEndsFailsWithTheReasonInTheLog) {
  fs::path m = Machine("m", "--fault printui_hangs");
  EXPECT_EQ(Run(m, K7X_SETUP_PROGRAM, "/quiet"), 1603);
  std::string log = ReadHostFile(m / "drive_c" / kDefaultLog);
  EXPECT_NE(log.find("did not end within 90 seconds"), std::string::npos) << log;
  EXPECT_NE(log.find("sign the driver package"), std::string::npos);
  EXPECT_NE(log.find("Exit code 1603"), std::string::npos);
}

// The uninstall entry as deployment tools read it, and its quiet command run as they run it.
TEST_F(UnattendedRun, TheEntryNamesTheQuietUninstallWhichRemovesThePrinterWithoutAWord) {
  fs::path m = Machine("m");
  ASSERT_EQ(Run(m, K7X_SETUP_PROGRAM, "", WizardWalkScript()), 0);
  const std::string key = "'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer'";
  std::string entry = RunCommand(std::string(WINEMU_COMMAND) + " reg " + m.string() + " " + key).out;
  const std::string uninstaller = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallK7X.exe";
  for (const std::string& value :
       std::vector<std::string>{"\"DisplayName\" REG_SZ 29 \"K7X printer driver uninstall\\0\"",
                                "\"Publisher\" REG_SZ 12 \"K7X printer\\0\"",
                                "\"QuietUninstallString\" REG_SZ 67 \"\\\"" + uninstaller + "\\\" /quiet\\0\"",
                                "\"DisplayVersion\" REG_SZ 4 \"1.0\\0\"", "\"NoModify\" REG_DWORD 4 0x00000001 (1)",
                                "\"NoRepair\" REG_DWORD 4 0x00000001 (1)"})
    EXPECT_NE(entry.find(value), std::string::npos) << value << "\n" << entry;
  // The driver files in the driver directory, in kilobytes rounded up.
  unsigned long long bytes = 0;
  for (const auto& e : fs::directory_iterator(m / "drive_c/WINDOWS/system32/spool/drivers/w32x86"))
    if (e.is_regular_file()) bytes += e.file_size();
  char size[64];
  std::snprintf(size, sizeof size, "\"EstimatedSize\" REG_DWORD 4 0x%08llX", (bytes + 1023) / 1024);
  EXPECT_NE(entry.find(size), std::string::npos) << size << "\n" << entry;

  ASSERT_EQ(Run(m, K7X_UNINSTALL_PROGRAM, "/quiet '/log=C:\\uninstall.log'"), 0) << last_.err;
  std::string trace = Trace(m);
  EXPECT_EQ(Count(trace, " window.create "), 0u);
  EXPECT_EQ(Count(trace, " msgbox "), 0u);
  EXPECT_EQ(RunCommand(std::string(WINEMU_COMMAND) + " printers " + m.string()).out.find("K7X"), std::string::npos);
  EXPECT_NE(RunCommand(std::string(WINEMU_COMMAND) + " reg " + m.string() + " " + key).code, 0);
  std::string log = ReadHostFile(m / "drive_c/uninstall.log");
  for (const char* line : {"Printer K7X deleted", "Driver K7X deleted", "Deleted registry key HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer",
                           "uninstallK7X.exe is deleted at the next start of Windows", "Exit code 0\r\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
  EXPECT_EQ(log.rfind("2010-01-04 09:", 0), 0u);
}

TEST_F(UnattendedRun, TheUninstallerRefusesWhatItDoesNotTake) {
  fs::path m = Machine("m");
  ASSERT_EQ(Run(m, K7X_SETUP_PROGRAM, "", WizardWalkScript()), 0);
  EXPECT_EQ(Run(m, K7X_UNINSTALL_PROGRAM, "/quiet /passive"), 87);
  EXPECT_EQ(Run(m, K7X_UNINSTALL_PROGRAM, "/bogus", "answer\n"), 87);
  EXPECT_NE(Trace(m).find("text=\"Unknown switch \\\"/bogus\\\".\""), std::string::npos) << Trace(m);
  EXPECT_NE(RunCommand(std::string(WINEMU_COMMAND) + " printers " + m.string()).out.find("K7X"), std::string::npos);
}

}  // namespace
