// A program path in the machine's double-byte code page, named in machine.ini: setup finds its
// folder by characters, not bytes (功 is A5 5C in Big5).
#include "machine_walk.h"

namespace {

using namespace k7x::test;

class ProgramPath : public ::testing::Test, protected MachineWalk {};

TEST_F(ProgramPath, InABig5FolderWithATrailBackslashByteTheFilesGoBesideTheProgram) {
  Create("5.1", "0x0404");
  std::string ini = ReadHostFile(machine_ / "machine.ini");
  const std::string old = "Program=C:\\Setup\\setup.exe";
  ASSERT_NE(ini.find(old), std::string::npos);
  ini.replace(ini.find(old), old.size(), "Program=C:\\\xa5\x5c\xaf\xe0\\\xa5\x5c.exe");  // C:\功能\功.exe
  std::ofstream(machine_ / "machine.ini", std::ios::binary) << ini;
  fs::create_directories(C("功能"));
  ASSERT_EQ(RunProgram(K7X_SETUP_PROGRAM, "expect Welcome to the Printer Driver Setup Wizard\nclick " + std::to_string(IDC_WIZ_CANCEL) + "\n"), 0);
  EXPECT_TRUE(fs::exists(C("功能/setting.dll")));
  EXPECT_TRUE(fs::exists(C("功能/Language/Multi_ch_BIG5.dll")));
}

}  // namespace
