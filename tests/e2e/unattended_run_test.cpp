// setup and its uninstaller as a deployment tool runs them: "winemu run M PROGRAM /quiet ...". A
// quiet run shows nothing and tells its outcome by exit code and log.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/machine_fixture.h"

namespace {

namespace fs = std::filesystem;
using k7x::test::RunCommand;
using k7x::test::TempDir;

const std::string kWizardWalk = "click 12324\nclick 12324\nselect 1006 0\nclick 12324\nwait 500\nanswer\n";

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class UnattendedRun : public ::testing::Test {
 protected:
  fs::path Machine(const std::string& name, const std::string& options = "") {
    fs::path dir = tmp_.path() / name;
    EXPECT_EQ(RunCommand(std::string(WINEMU_COMMAND) + " create " + dir.string() + " " + options).code, 0);
    return dir;
  }
  // The program's whole exit code (the shell sees its low 8 bits), from the trace.
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
  static std::string Trace(const fs::path& machine) { return Read(machine / "trace.log"); }
  static size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }

  TempDir tmp_;
  k7x::test::CommandResult last_;
};

// The uninstall entry as deployment tools read it, and its quiet command run as they run it.
TEST_F(UnattendedRun, TheEntryNamesTheQuietUninstallWhichRemovesThePrinterWithoutAWord) {
  fs::path m = Machine("m");
  ASSERT_EQ(Run(m, K7X_SETUP_PROGRAM, "", kWizardWalk), 0);
  const std::string key = "'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer'";
  std::string entry = RunCommand(std::string(WINEMU_COMMAND) + " reg " + m.string() + " " + key).out;
  const std::string uninstaller = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallK7X.exe";
  for (const std::string& value :
       std::vector<std::string>{"DisplayName REG_SZ 28 K7X printer driver uninstall", "Publisher REG_SZ 11 K7X printer",
        "QuietUninstallString REG_SZ 70 \"" + uninstaller + "\" /quiet", "DisplayVersion REG_SZ 3 1.0",
        "NoModify REG_DWORD 4 0x00000001", "NoRepair REG_DWORD 4 0x00000001"})
    EXPECT_NE(entry.find(value), std::string::npos) << value << "\n" << entry;
  // The driver files in the driver directory, in kilobytes rounded up.
  unsigned long long bytes = 0;
  for (const auto& e : fs::directory_iterator(m / "drive_c/WINDOWS/system32/spool/drivers/w32x86"))
    if (e.is_regular_file()) bytes += e.file_size();
  char size[64];
  std::snprintf(size, sizeof size, "EstimatedSize REG_DWORD 4 0x%08llX", (bytes + 1023) / 1024);
  EXPECT_NE(entry.find(size), std::string::npos) << size << "\n" << entry;

  ASSERT_EQ(Run(m, K7X_UNINSTALL_PROGRAM, "/quiet /log=C:\\uninstall.log"), 0) << last_.err;
  std::string trace = Trace(m);
  EXPECT_EQ(Count(trace, " window.create "), 0u);
  EXPECT_EQ(Count(trace, " msgbox "), 0u);
  EXPECT_EQ(RunCommand(std::string(WINEMU_COMMAND) + " printers " + m.string()).out.find("K7X"), std::string::npos);
  EXPECT_NE(RunCommand(std::string(WINEMU_COMMAND) + " reg " + m.string() + " " + key).code, 0);
  std::string log = Read(m / "drive_c/uninstall.log");
  for (const char* line : {"Printer K7X deleted", "Driver K7X deleted", "Deleted registry key HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer",
                           "uninstallK7X.exe is deleted at the next start of Windows", "Exit code 0\r\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line << "\n" << log;
  EXPECT_EQ(log.rfind("2010-01-04 09:", 0), 0u);
}

TEST_F(UnattendedRun, TheUninstallerRefusesWhatItDoesNotTake) {
  fs::path m = Machine("m");
  ASSERT_EQ(Run(m, K7X_SETUP_PROGRAM, "", kWizardWalk), 0);
  EXPECT_EQ(Run(m, K7X_UNINSTALL_PROGRAM, "/quiet /passive"), 87);
  EXPECT_EQ(Run(m, K7X_UNINSTALL_PROGRAM, "/bogus"), 87);
  EXPECT_NE(Trace(m).find("text=\"Unknown switch \\\"/bogus\\\".\""), std::string::npos) << Trace(m);
  EXPECT_NE(RunCommand(std::string(WINEMU_COMMAND) + " printers " + m.string()).out.find("K7X"), std::string::npos);
}

}  // namespace
