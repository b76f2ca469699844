// What a program is started with: its command line as Windows builds it, and the local time.
#include <windows.h>

#include <string>

#include "support/machine_fixture.h"
#include "winemu/machine/program.h"

namespace {

class ProgramStartTest : public k7x::test::MachineTest {
 protected:
  void TearDown() override {
    winemu::SetProgramArguments({});
    MachineTest::TearDown();
  }
};

TEST_F(ProgramStartTest, TheCommandLineIsTheQuotedPathThenTheArgumentsQuotedWhereNeeded) {
  EXPECT_STREQ(GetCommandLineA(), "\"C:\\Setup\\setup.exe\"");
  winemu::SetProgramArguments({"/quiet", "/log=C:\\a b\\k.log", "say \"hi\"", "C:\\dir\\", "C:\\a b\\", ""});
  EXPECT_STREQ(GetCommandLineA(),
               "\"C:\\Setup\\setup.exe\" /quiet \"/log=C:\\a b\\k.log\" \"say \\\"hi\\\"\" C:\\dir\\ \"C:\\a b\\\\\" \"\"");
  // WinMain's line is what follows the program's path and its blank.
  static std::string line;
  winemu::RunProgram([](void*, void*, char* commandLine, int) -> int {
    line = commandLine;
    return 0;
  });
  EXPECT_EQ(line, "/quiet \"/log=C:\\a b\\k.log\" \"say \\\"hi\\\"\" C:\\dir\\ \"C:\\a b\\\\\" \"\"");
}

TEST_F(ProgramStartTest, LocalTimeStartsOnAMondayMorningAndFollowsTheClock) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  EXPECT_EQ(t.wYear * 10000 + t.wMonth * 100 + t.wDay, 20100104);
  EXPECT_EQ(t.wDayOfWeek, 1);
  EXPECT_EQ(t.wHour * 10000 + t.wMinute * 100 + t.wSecond, 90000);
  Sleep(15 * 3600 * 1000 + 61500);  // past midnight
  GetLocalTime(&t);
  EXPECT_EQ(t.wDay * 1000000 + t.wHour * 10000 + t.wMinute * 100 + t.wSecond, 5000101);
  EXPECT_EQ(t.wMilliseconds, 500);
  EXPECT_EQ(t.wDayOfWeek, 2);
}

}  // namespace
