// Setup under a printer name other than the model name, through "winemu run": it installs, installs
// again over itself, and its uninstaller leaves the machine as before.
#include "machine_walk.h"
#include "winemu/machine/codepage.h"

namespace {

using namespace k7x::test;

struct NameCase {
  const char* label;
  const char* language;
  std::string name;  // in the machine's code page
  unsigned codePage;
  friend void PrintTo(const NameCase& c, std::ostream* out) { *out << c.label; }
};

class OtherPrinterName : public ::testing::TestWithParam<NameCase>, protected MachineWalk {
 protected:
  void SetUp() override {
    Create("5.1", GetParam().language);
    std::ofstream(C("Setup/setting.dll"), std::ios::binary)
        << "[Setting]\r\nLanguage=English\r\nPrinterName=" << GetParam().name << "\r\n";
  }
  std::string Utf8Name() const { return winemu::AnsiToUtf8(GetParam().name, GetParam().codePage); }
  std::string LastLine() {
    std::string trace = ReadHostFile(machine_ / "trace.log");
    size_t box = trace.rfind(" msgbox ");
    return box == std::string::npos ? "" : trace.substr(box, trace.find('\n', box) - box);
  }
};

TEST_P(OtherPrinterName, InstallsAsK7XWithItsOwnFilesTwiceAndUninstallsClean) {
  std::set<std::string> before = Snapshot();
  const std::string n = Utf8Name();
  for (int run = 1; run <= 2; ++run) {
    ASSERT_EQ(RunProgram(K7X_SETUP_PROGRAM, WizardWalkScript()), 0) << "run " << run;
    EXPECT_TRUE(LastLine().find("installed successfully!") != std::string::npos || LastLine().find("成功") != std::string::npos)
        << "run " << run << ": " << LastLine();
    std::set<std::string> installed = Snapshot();
    int printers = 0;
    for (const std::string& fact : installed) printers += fact.rfind("printer ", 0) == 0;
    EXPECT_EQ(printers, 2) << "run " << run;  // Text and K7X
    EXPECT_TRUE(installed.count("printer K7X driver=K7X port=LPT1:"));
    EXPECT_TRUE(installed.count("default K7X"));
    EXPECT_TRUE(installed.count("entry " + GetParam().name + " printer"));  // registry names in the code page
    for (const char* file : {".GPD", ".INI", "RES.DLL", "D.DLL", "F.DLL"})
      EXPECT_TRUE(installed.count("D\\3\\" + n + file)) << n + file;
    EXPECT_FALSE(installed.count("D\\3\\K7X.GPD"));
  }
  ASSERT_EQ(RunProgram(K7X_UNINSTALL_PROGRAM, "answer\nanswer\n"), 0);
  std::set<std::string> expected = before;
  for (const char* core : kCoreFiles) {
    expected.insert(std::string("D\\") + core);
    expected.insert(std::string("D\\3\\") + core);
  }
  expected.insert("D\\uninstall" + n + ".exe");
  EXPECT_EQ(Snapshot(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, OtherPrinterName,
    ::testing::Values(NameCase{"K7X80", "0x0409", "K7X80", 1252},
                      NameCase{"Long150", "0x0409", "K7X-" + std::string(146, 'L'), 1252},
                      NameCase{"Gbk", "0x0804", "\xc6\xb1\xbe\xdd" "K7X", 936},          // 票据K7X
                      NameCase{"Big5TrailBackslash", "0x0404", "K7X\xa5\x5c\xaf\xe0", 950}),  // K7X功能
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.label); });

}  // namespace
