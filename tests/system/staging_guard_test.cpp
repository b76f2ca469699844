// C:\TEMP in a standard user's hands: made by them beforehand (Everyone:Change, as on Windows 2000),
// swapped under the run by their own process, or holding junctions to elsewhere.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

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

// C:\TEMP pre-made by a standard user (Everyone:Change): the user's process tries to replace a
// staged file after a trace entry between its staging and the utility's end. Every try fails, and
// the driver directory ends byte for byte as in a run without the user. Sharded for ctest.
constexpr int kShards = 4;

class UserSwapTest : public StagingGuardTest, public testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    StagingGuardTest::SetUp();
    On();
    Run();
    ASSERT_EQ(outcome, InstallOutcome::Installed);
    reference_ = DriverDirFiles();
    lines_ = TraceLines();
    utilityStart_ = First("process.create", "/if");
    utilityEnd_ = First("process.end", "");
    ASSERT_LT(utilityStart_, utilityEnd_);
  }

  // Every file of the driver directory and of its 3 subdirectory, with its bytes.
  std::map<std::string, std::string> DriverDirFiles() const {
    std::map<std::string, std::string> files;
    for (const std::string& dir : {std::string(kDriverDir), std::string(kDriverDir) + "3\\"})
      for (const std::string& name : FileNames(dir)) files[dir + name] = ReadFile(dir + name);
    return files;
  }

  // The index of the first trace line starting with `prefix` and holding `part`.
  size_t First(const std::string& prefix, const std::string& part) const {
    for (size_t i = 0; i < lines_.size(); ++i)
      if (lines_[i].rfind(prefix, 0) == 0 && lines_[i].find(part) != std::string::npos) return i;
    ADD_FAILURE() << "no " << prefix << " line with " << part;
    return lines_.size();
  }

  // Staged files, as the reference run created them in C:\TEMP and below, in order.
  std::vector<std::string> StagedPaths() const {
    const std::string created = "file.create C:\\TEMP\\";
    std::vector<std::string> paths;
    for (const std::string& line : lines_) {
      if (line.rfind(created, 0) != 0) continue;
      std::string path = line.substr(12, line.find(" -> ") - 12);
      if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
    }
    return paths;
  }

  // The user acts after the trace's `entries`th entry; the try fails and nothing changes for the run.
  void SwapFails(const std::string& path, size_t entries) {
    On({{"user_writer", std::to_string(entries) + ":" + path}});
    Run();
    auto tries = TraceLines("user.replace");
    ASSERT_EQ(tries.size(), 1u) << path << " after " << entries;
    EXPECT_EQ(tries[0].find(" -> ok"), std::string::npos) << tries[0] << " after " << entries;
    EXPECT_EQ(outcome, InstallOutcome::Installed) << path << " after " << entries;
    EXPECT_EQ(DriverDirFiles(), reference_) << path << " after " << entries;
  }

  std::map<std::string, std::string> reference_;
  std::vector<std::string> lines_;
  size_t utilityStart_ = 0, utilityEnd_ = 0;
};

// Each staged file at each kind of moment: right after it is made, partly and wholly written, right
// before and after its copy into the driver directory, and before and after the utility's start
// and end.
TEST_P(UserSwapTest, EveryStagedFileAtEveryKindOfMoment) {
  std::vector<std::string> paths = StagedPaths();
  ASSERT_EQ(paths.size(), 20u);  // the uninstaller, the INF, 11 driver files, 6 in I386 and x86, temp.txt
  for (size_t f = GetParam(); f < paths.size(); f += kShards) {
    const std::string& path = paths[f];
    std::set<size_t> moments = {First("file.create", path + " ") + 1, utilityStart_, utilityStart_ + 1,
                                utilityEnd_, utilityEnd_ + 1};
    // Its first and last write (a rewritten file is written line by line).
    std::vector<size_t> writes;
    for (size_t i = 0; i < lines_.size(); ++i)
      if (lines_[i].rfind("file.write " + path + " ", 0) == 0) writes.push_back(i + 1);
    if (!writes.empty()) moments.insert({writes.front(), writes.back()});
    const std::string copied = "file.copy " + path + " ";
    for (size_t i = 0; i < lines_.size(); ++i)
      if (lines_[i].rfind(copied, 0) == 0) moments.insert({i, i + 1});
    for (size_t entries : moments) SwapFails(path, entries);
  }
}

// The rendering plug-in after every trace entry from its staging to the utility's end.
TEST_P(UserSwapTest, ThePluginAfterEveryEntryFromItsStagingToTheUtilitysEnd) {
  for (size_t n = First("file.create", "C:\\TEMP\\K7XD.dll ") + 1 + GetParam(); n <= utilityEnd_ + 1; n += kShards)
    SwapFails("C:\\TEMP\\K7XD.dll", n);
}

INSTANTIATE_TEST_SUITE_P(Shards, UserSwapTest, testing::Range(0, kShards));

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
                         testing::Values(Change{"C:\\TEMP\\K7XD.dll", true}, Change{"C:\\TEMP\\x86\\K7XD.dll", false}),
                         [](const auto& info) { return info.param.copiedBefore ? "CopiedByTheRun" : "ReadByTheUtility"; });

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
