// What keeps a run from leaving the machine half-done: a 64-bit Windows and a second instance are
// refused before any change, a staging the disk cuts short never ends with the success message,
// an uninstall entry never names a missing uninstaller, and a spooler left stopped is started.
#include <windows.h>

#include <map>

#include "app/StartupRefusal.h"
#include "install/ResultMessage.h"
#include "shared/globals.h"
#include "sys/SingleRun.h"
#include "sys/Windows64.h"
#include "winemu/advapi32/registry.h"
#include "winemu/machine/codepage.h"
#include "winemu/winspool/spooler_store.h"
#include "wizard_fixture.h"

namespace k7x::test {
namespace {

const std::string kD = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86";
const std::string kEntry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer";
const std::string kSuccess = "success";
const std::string kFailure = "failure";

class RunGuards : public ProgramRunTest {
 protected:
  // The wizard walked to its end, the result (if any) answered: "success", "failure", or what
  // the last message box said.
  std::string Install() {
    winemu::ui::ScriptDriver script;
    script.Click(12324).Click(12324).Select(1006, 0).Click(12324).Wait(500).Answer();
    RunProgram();
    TextLanguage language = ChooseTextLanguage(machine().Config().langId, g_LanguageChoice);
    std::string text = MessageBoxText();
    for (bool success : {true, false})
      if (text == winemu::AnsiToUtf8(ResultText(success, language), machine().Config().codePage))
        return success ? kSuccess : kFailure;
    return text;
  }
  // Only the start-up's message box, answered.
  std::string Start() {
    winemu::ui::ScriptDriver script;
    script.Answer();
    RunProgram();
    EXPECT_EQ(script.Remaining(), 0u);
    return MessageBoxText();
  }
  bool EntryExists() {
    return winemu::reg::MachineRegistry().Find(winemu::reg::Root::LocalMachine, *winemu::reg::SplitKeyPath(kEntry));
  }
  void SetFault(const std::string& name, const std::string& value) {
    machine().Config().faults.clear();
    if (!name.empty()) machine().Config().faults[name] = value;
  }
  // The files of a folder (recursively) with their bytes.
  std::map<std::string, std::string> Files(const std::string& windowsDir) const {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(Host(windowsDir)))
      if (e.is_regular_file()) files[e.path().lexically_relative(Host(windowsDir)).string()] = ReadFile(windowsDir + "\\" + e.path().lexically_relative(Host(windowsDir)).string());
    return files;
  }
};

TEST_F(RunGuards, A64BitWindowsIsRefusedBeforeAnyChangeInTheWizardsLanguage) {
  winemu::CreateOptions o;
  o.x64 = true;
  o.major = 6;
  o.minor = 1;
  o.printers = {"K7X"};
  MakeMachine(o);
  EXPECT_TRUE(Is64BitWindows());
  EXPECT_EQ(Start(), Windows64Text(TextLanguage::English));
  EXPECT_EQ(LastStartupRefusal(), StartupRefusal::Windows64);
  for (const char* kind : {"service.", "reg.deletekey", "reg.createkey", "file.copy", "file.delete", "spooler.enum"})
    EXPECT_TRUE(TraceLines(kind).empty()) << kind;
  EXPECT_TRUE(winemu::spooler::FindPrinter("K7X"));

  // Once its language files are there, a Chinese system's wizard speaks Chinese.
  o.langId = 0x0804;
  MakeMachine(o);
  Start();
  EXPECT_EQ(Start(), winemu::AnsiToUtf8(Windows64Text(TextLanguage::SimplifiedChinese), 936));
  // Windows 2000 has no IsWow64Process, XP's answers FALSE: both are 32-bit.
  MakeMachine(5, 0, true);
  EXPECT_FALSE(Is64BitWindows());
  MakeMachine(5, 1, true);
  EXPECT_FALSE(Is64BitWindows());
}

TEST_F(RunGuards, ASecondInstanceSaysSoAndChangesNothing) {
  {
    CSingleRun first;
    CSingleRun second;
    EXPECT_TRUE(first.IsOnlyRun());
    EXPECT_FALSE(second.IsOnlyRun());
  }
  CSingleRun again;
  EXPECT_TRUE(again.IsOnlyRun()) << "the name goes with its last handle";

  winemu::CreateOptions o;
  o.langId = 0x0404;
  o.faults = {{"held_mutex", kSingleRunMutexName}};
  MakeMachine(o);
  Start();
  EXPECT_EQ(Start(), winemu::AnsiToUtf8(AnotherRunText(TextLanguage::TraditionalChinese), 950));
  EXPECT_EQ(LastStartupRefusal(), StartupRefusal::AnotherRun);
  for (const char* kind : {"service.", "reg.", "file.copy", "file.delete", "spooler.enum"})
    EXPECT_TRUE(TraceLines(kind).empty()) << kind;
}

// Every limit of C:\TEMP's volume below what the staged files need ends with the failure message:
// limits right after the file before each staged file (none of it fits) and one byte short of its
// end (all but its last byte fit).
TEST_F(RunGuards, AStagingTheDiskCutsShortNeverEndsWithTheSuccessMessage) {
  ASSERT_EQ(Install(), kSuccess);
  std::map<std::string, std::string> installed = Files(kD);
  std::vector<std::pair<std::string, std::uint64_t>> writes;  // path, bytes, in order
  for (const std::string& line : TraceLines("file.write")) {
    std::string rest = line.substr(std::string("file.write ").size());
    if (lstrcmpiA(rest.substr(0, 8).c_str(), "C:\\TEMP\\") != 0) continue;
    rest = rest.substr(0, rest.find(" -> "));
    size_t blank = rest.rfind(' ');
    writes.emplace_back(rest.substr(0, blank), std::stoull(rest.substr(blank + 1)));
  }
  std::uint64_t need = 0;
  for (const auto& [name, bytes] : Files("C:\\TEMP")) need += bytes.size();
  std::vector<std::uint64_t> limits;
  std::uint64_t written = 0;
  for (size_t i = 0; i < writes.size(); ++i) {
    bool first = i == 0 || writes[i - 1].first != writes[i].first;
    bool last = i + 1 == writes.size() || writes[i + 1].first != writes[i].first;
    if (first) limits.push_back(written);
    written += writes[i].second;
    if (last) limits.push_back(written - 1);
  }
  int runs = 0;
  for (std::uint64_t limit : limits) {
    if (limit >= need) continue;
    MakeMachine(winemu::CreateOptions{});
    SetFault("disk_full", std::to_string(limit) + "@C:\\TEMP");
    EXPECT_NE(Install(), kSuccess) << "C:\\TEMP of " << limit << " bytes";
    ++runs;
  }
  EXPECT_GT(runs, 20);
  // Room for exactly what it needs at the end, and the installation is whole.
  MakeMachine(winemu::CreateOptions{});
  SetFault("disk_full", std::to_string(need + 1000000) + "@C:\\TEMP");
  EXPECT_EQ(Install(), kSuccess);
  EXPECT_EQ(Files(kD), installed);
}

TEST_F(RunGuards, AnUninstallerThatCannotBeCopiedTakesTheNewEntryAlongButLeavesAnIntactOne) {
  SetFault("disk_full", "0@" + kD);
  EXPECT_EQ(Install(), kFailure);
  EXPECT_FALSE(EntryExists());
  EXPECT_FALSE(TraceLines("reg.createkey").empty()) << "the removal wrote the entry first";

  SetFault("", "");
  ASSERT_EQ(Install(), kSuccess);
  SetFault("disk_full", "0@" + kD);
  EXPECT_EQ(Install(), kFailure);
  EXPECT_TRUE(EntryExists());
  EXPECT_TRUE(Exists(kD + "\\uninstallK7X.exe"));
}

TEST_F(RunGuards, ASpoolerLeftStoppedIsStartedFirst) {
  MakeMachineWith({"K7X"}, {{"spooler_stopped", ""}});
  EXPECT_EQ(Install(), kSuccess);
  std::vector<std::string> lines = TraceLines("service.st");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].rfind("service.start", 0), 0u) << lines[0];
}

}  // namespace
}  // namespace k7x::test
