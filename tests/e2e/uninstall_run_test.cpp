// Install, then the uninstall entry's program, through "winemu run" on each kind of machine: the
// machine ends as it was before the installation, apart from what stays by design.
#include "machine_walk.h"

namespace {

using namespace k7x::test;

struct Kind {
  const char* name;
  const char* version;
  const char* language;
  friend void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }
};

class UninstallAfterInstall : public ::testing::TestWithParam<Kind>, protected MachineWalk {
 protected:
  void SetUp() override { Create(GetParam().version, GetParam().language); }
};

TEST_P(UninstallAfterInstall, LeavesTheMachineAsBeforeApartFromWhatStaysByDesign) {
  std::set<std::string> before = Snapshot();
  ASSERT_EQ(RunProgram(K7X_SETUP_PROGRAM, WizardWalkScript()), 0);
  std::set<std::string> installed = Snapshot();
  ASSERT_TRUE(installed.count("printer K7X driver=K7X port=LPT1:"));
  ASSERT_TRUE(installed.count("entry K7X printer"));

  // The entry's program, confirmed with the default button, then the outcome acknowledged.
  ASSERT_EQ(RunProgram(K7X_UNINSTALL_PROGRAM, "answer\nanswer\n"), 0);
  std::string trace = ReadHostFile(machine_ / "trace.log");
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
  EXPECT_EQ(ReadHostFile(C(kDriverDir) / "3" / "TTY.GPD"), "*GPDFileName: \"TTY.GPD\"\r\n");

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
