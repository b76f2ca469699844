// C:\TEMP in a standard user's hands: made by them beforehand (Everyone:Change, as on Windows 2000),
// swapped under the run by their own process, or holding junctions to elsewhere.
#include <windows.h>

#include <algorithm>
#include <functional>

#include "framework/WinApp.h"
#include "install_fixture.h"
#include "payload/PayloadFile.h"
#include "payload/PayloadIds.h"
#include "shared/SetupApp.h"
#include "shared/globals.h"
#include "winemu/kernel32/file_security.h"
#include "winemu/kernel32/junctions.h"
#include "winemu/ui/script_driver.h"

namespace {

using k7x::test::InstallTest;

constexpr const char* kSuccess = "The Printer Driver has been installed successfully!";
constexpr const char* kDriverDir = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\";

class StagingGuardTest : public InstallTest {
 protected:
  void On(std::map<std::string, std::string> faults = {}) {
    winemu::CreateOptions options;
    options.userTemp = true;
    options.faults = std::move(faults);
    UseMachine(options, 7);
  }
  void Run() {
    winemu::ui::ScriptDriver script;
    script.Answer();
    outcome = Install();
    machine().ProgramExited();
  }
  InstallOutcome outcome = InstallOutcome::AlreadyRunning;
  std::string LastMessage() const {
    auto boxes = MessageBoxes();
    return boxes.empty() ? "" : boxes.back();
  }
  static std::string Payload(UINT id) {
    std::string bytes;
    EXPECT_TRUE(ReadPayload(id, bytes));
    return bytes;
  }
  // The trace index of the first line starting with `prefix`, else the trace's length.
  size_t IndexOf(const std::string& prefix) const {
    const auto& entries = winemu::Machine::Current().TraceEntries();
    for (size_t i = 0; i < entries.size(); ++i)
      if ((entries[i].kind + " " + entries[i].detail).rfind(prefix, 0) == 0) return i;
    return entries.size();
  }
};

TEST_F(StagingGuardTest, AUsersTempIsTakenOverBeforeTheRunDeletesOrWritesThere) {
  On();
  Run();
  EXPECT_NE(LastMessage().find(kSuccess), std::string::npos);
  auto temp = machine().State<winemu::SecurityStore>().Effective("C:\\TEMP");
  ASSERT_TRUE(temp);
  EXPECT_EQ(temp->owner, winemu::sids::kAdministrators);
  EXPECT_TRUE(temp->daclProtected);
  for (const char* path : {"C:\\TEMP", "C:\\TEMP\\x86", "C:\\TEMP\\x86\\K7XD.dll", "C:\\TEMP\\K7X.INF"}) {
    auto sec = machine().State<winemu::SecurityStore>().Effective(path);
    ASSERT_TRUE(sec) << path;
    for (const winemu::Ace& ace : sec->dacl)
      if (ace.sid != winemu::sids::kAdministrators && ace.sid != winemu::sids::kSystem) {
        EXPECT_EQ(ace.mask & ~(FILE_GENERIC_READ | FILE_GENERIC_EXECUTE), 0u) << path << " " << ace.sid;
      }
  }
  size_t takeover = IndexOf("file.security C:\\TEMP owner");
  EXPECT_LT(takeover, IndexOf("file.security C:\\TEMP dacl"));
  EXPECT_LT(takeover, IndexOf("dir.remove"));
  EXPECT_LT(takeover, IndexOf("file.delete"));
  EXPECT_LT(takeover, IndexOf("file.create"));
}

// The user's process tries to replace a staged file after every effect of a window of the run:
// never does it succeed, never does a foreign byte reach the driver directory, and every run
// succeeds with the payload's bytes.
class UserSwapTest : public StagingGuardTest {
 protected:
  // A run without the fault tells where the window's first and last effects are.
  void SwapAfterEveryEffect(const char* target, const std::string& firstEffect) {
    On();
    Run();
    size_t first = IndexOf(firstEffect);
    size_t utilityEnd = IndexOf("process.end") + 1;
    ASSERT_LT(first, utilityEnd);
    const std::string plugin = Payload(kPayloadXpRenderPlugin);
    for (size_t n = first; n <= utilityEnd; ++n) {
      On({{"user_writer", std::to_string(n) + ":" + target}});
      Run();
      auto tries = TraceLines("user.replace");
      ASSERT_EQ(tries.size(), 1u) << target << " after " << n;
      EXPECT_EQ(tries[0].find(" -> ok"), std::string::npos) << tries[0] << " after " << n;
      EXPECT_EQ(outcome, InstallOutcome::Installed) << target << " after " << n;
      for (const std::string& dir : {std::string(kDriverDir), std::string(kDriverDir) + "3\\"})
        EXPECT_EQ(ReadFile(dir + "K7XD.dll"), plugin) << dir << " after " << n;
    }
  }
};

TEST_F(UserSwapTest, ThePluginFromItsStagingToTheUtilitysEnd) {
  SwapAfterEveryEffect("C:\\TEMP\\K7XD.dll", "file.create C:\\TEMP\\K7XD.dll");
}

TEST_F(UserSwapTest, TheInfWhileTheUtilityRuns) {
  SwapAfterEveryEffect("C:\\TEMP\\K7X.INF", "process.create rundll32 printui.dll,PrintUIEntry /if");
}

// Had a swap got through, the run would notice: a staged file changed after its writing is not
// copied into the driver directory, and the utility does not run; the failure message.
struct Change {
  const char* target;
  bool copiedBefore;  // a file the run copies into the driver directory
};
class ChangedAfterStaging : public StagingGuardTest, public testing::WithParamInterface<Change> {};

TEST_P(ChangedAfterStaging, IsNeitherCopiedNorInstalledFrom) {
  // Calls `change` once the last driver file is written.
  class ChangingHost : public CWizardInstallHost {
   public:
    explicit ChangingHost(std::function<void()> change) : CWizardInstallHost(theApp, nullptr), m_change(change) {}
    BOOL WritePayload(UINT id, const std::string& path, BOOL rewrite) override {
      BOOL written = CWizardInstallHost::WritePayload(id, path, rewrite);
      if (path == "C:\\TEMP\\x86\\K7XRES.DLL") m_change();
      return written;
    }
    std::function<void()> m_change;
  };
  On();
  ChangingHost host([this] { WriteFile(GetParam().target, "changed"); });
  winemu::ui::ScriptDriver script;
  script.Answer();
  EXPECT_EQ(theApp.InstallPrinterDriver(host), InstallOutcome::StagingFailed);
  machine().ProgramExited();
  EXPECT_NE(LastMessage().find("The Printer Driver installation has been failed!"), std::string::npos);
  // The plug-in in the driver directory is the payload's when C:\TEMP's copy was not changed.
  const std::string plugin = std::string(kDriverDir) + "K7XD.dll";
  EXPECT_EQ(Exists(plugin), !GetParam().copiedBefore);
  if (Exists(plugin)) {
    EXPECT_EQ(ReadFile(plugin), Payload(kPayloadXpRenderPlugin));
  }
  EXPECT_TRUE(TraceLines("process.create").empty());
}

// One the run copies into the driver directory, one only the utility reads.
INSTANTIATE_TEST_SUITE_P(Files, ChangedAfterStaging,
                         testing::Values(Change{"C:\\TEMP\\K7XD.dll", true}, Change{"C:\\TEMP\\x86\\K7XD.dll", false}));

TEST_F(StagingGuardTest, JunctionsUnderAUsersTempAreRemovedAsLinksAndTheirTargetsStayUntouched) {
  On();
  const std::vector<std::string> names = {"K7XD.dll", "K7XF.dll", "K7XRES.DLL", "K7X.GPD", "temp.txt", "K7X.INF"};
  ASSERT_TRUE(CreateDirectoryA("C:\\Victim", nullptr));
  for (const std::string& name : names) WriteFile("C:\\Victim\\" + name, "victim's " + name);
  ASSERT_EQ(winemu::MakeJunction("C:\\TEMP\\x86", "C:\\Victim"), 0u);
  ASSERT_EQ(winemu::MakeJunction("C:\\TEMP\\I386", "C:\\Victim"), 0u);
  Run();
  EXPECT_NE(LastMessage().find(kSuccess), std::string::npos);
  EXPECT_EQ(FileNames("C:\\Victim").size(), names.size());
  for (const std::string& name : names) EXPECT_EQ(ReadFile("C:\\Victim\\" + name), "victim's " + name);
  for (const char* dir : {"C:\\TEMP\\x86", "C:\\TEMP\\I386"})
    EXPECT_EQ(GetFileAttributesA(dir), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY)) << dir;
}

TEST_F(StagingGuardTest, ATempThatIsItselfAJunctionGoesAsALink) {
  winemu::CreateOptions options;
  UseMachine(options, 7);
  ASSERT_TRUE(CreateDirectoryA("C:\\Victim", nullptr));
  WriteFile("C:\\Victim\\K7X.GPD", "victim's");
  ASSERT_EQ(winemu::MakeJunction("C:\\TEMP", "C:\\Victim"), 0u);
  Run();
  EXPECT_NE(LastMessage().find(kSuccess), std::string::npos);
  EXPECT_EQ(FileNames("C:\\Victim"), std::vector<std::string>{"K7X.GPD"});
  EXPECT_EQ(ReadFile("C:\\Victim\\K7X.GPD"), "victim's");
}

// A file in the folder's place cannot be made an administrators' folder: the run refuses, in the
// wizard's language, before it changes anything.
TEST_F(StagingGuardTest, AFolderThatCannotBeSecuredIsRefusedBeforeAnyChange) {
  winemu::CreateOptions options;
  options.langId = 0x0804;
  UseMachine(options, 7, 0);
  WriteFile("C:\\TEMP", "a file");
  machine().ClearTrace();
  Run();
  EXPECT_EQ(outcome, InstallOutcome::StagingRefused);
  auto boxes = MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  // "安装程序无法保护文件夹 C:\TEMP", its backslash doubled as the trace quotes it.
  EXPECT_NE(boxes[0].find("安装程序无法保护文件夹 C:\\\\TEMP："), std::string::npos) << boxes[0];
  for (const std::string& line : TraceLines())
    if (line.rfind("msgbox", 0) != 0) {
      EXPECT_EQ(line.find(" -> ok"), std::string::npos) << line;
    }
  EXPECT_EQ(ReadFile("C:\\TEMP"), "a file");
}

}  // namespace
