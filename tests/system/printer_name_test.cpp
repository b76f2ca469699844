// The printer name from the settings file is checked once at start-up.
#include <windows.h>

#include "app/PrinterNameCheck.h"
#include "payload/PayloadIds.h"
#include "shared/SetupApp.h"
#include "shared/globals.h"
#include "support/machine_fixture.h"
#include "winemu/ui/answer_boxes.h"

namespace {

constexpr const char* kDriverDir = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86";

TEST(CheckPrinterName, RefusesNamesThatCannotNameFilesPathsAndCommands) {
  EXPECT_EQ(CheckPrinterName("K7X", 199), PrinterNameProblem::None);
  EXPECT_EQ(CheckPrinterName("Receipt K7X (2)", 199), PrinterNameProblem::None);
  EXPECT_EQ(CheckPrinterName(std::string(199, 'n').c_str(), 199), PrinterNameProblem::None);
  EXPECT_EQ(CheckPrinterName("", 199), PrinterNameProblem::Empty);
  EXPECT_EQ(CheckPrinterName(std::string(200, 'n').c_str(), 199), PrinterNameProblem::TooLong);
  for (const char* bad : {"..\\..\\WINDOWS\\x", "a/b", "C:x", "a*", "a?", "a\"b", "a<b", "a>b", "a|b", "a,b", "a\tb", "a\x7f"})
    EXPECT_EQ(CheckPrinterName(bad, 199), PrinterNameProblem::ForbiddenCharacter) << bad;
  EXPECT_EQ(CheckPrinterName("..", 199), PrinterNameProblem::DotDot);
  EXPECT_EQ(CheckPrinterName("K7X..2", 199), PrinterNameProblem::DotDot);
  // UNIRES.DLL and STDNAMES.GPD belong to the Unidrv core every Unidrv driver shares.
  for (const char* core : {"UNI", "uni", "STDNAMES", "Stdnames"})
    EXPECT_EQ(CheckPrinterName(core, 199), PrinterNameProblem::UnidrvCoreName) << core;
  EXPECT_EQ(CheckPrinterName("UNIDRV", 199), PrinterNameProblem::None);
}

// The name is walked by characters of the machine's ANSI code page: a trail byte 0x5C or 0x7C is
// no backslash or bar there, and the same bytes are one on a single-byte system.
class DoubleByteNameTest : public k7x::test::MachineTest {};

TEST_F(DoubleByteNameTest, TrailBytesAreNoForbiddenCharactersAndARealBackslashStillIs) {
  const char* big5 = "K7X\xa5\x5c\xaf\xe0";   // K7X功能: 功 is A5 5C
  const char* gbk = "K7X\x81\x5c\x81\x7c";    // K7X乗亅: trail bytes 5C and 7C
  MakeMachineOfLanguage(0x0404);
  EXPECT_EQ(CheckPrinterName(big5, 199), PrinterNameProblem::None);
  EXPECT_EQ(CheckPrinterName("K7X\\A", 199), PrinterNameProblem::ForbiddenCharacter);
  EXPECT_EQ(CheckPrinterName("K7X\xa5/A", 199), PrinterNameProblem::ForbiddenCharacter);  // no trail byte
  EXPECT_EQ(CheckPrinterName("K7X\xa5", 199), PrinterNameProblem::ForbiddenCharacter);      // a lone lead byte
  MakeMachineOfLanguage(0x0804);
  EXPECT_EQ(CheckPrinterName(gbk, 199), PrinterNameProblem::None);
  EXPECT_EQ(CheckPrinterName("\xc6\xb1\xbe\xdd|", 199), PrinterNameProblem::ForbiddenCharacter);
  MakeMachineOfLanguage(0x0409);
  EXPECT_EQ(CheckPrinterName(big5, 199), PrinterNameProblem::ForbiddenCharacter);
  EXPECT_EQ(CheckPrinterName(gbk, 199), PrinterNameProblem::ForbiddenCharacter);
}

TEST(MaxPrinterNameLength, IsWhatTheLongestComposedTextLeavesOfItsBuffer) {
  // With the usual driver directory the install command (85 characters besides N, its INF path
  // quoted) limits.
  EXPECT_EQ(MaxPrinterNameLength(kDriverDir), 174);
  // A longer directory: the uninstall entry's quiet command, "D\uninstallN.exe" /quiet, limits.
  std::string deep = "C:\\" + std::string(96, 'd');
  EXPECT_EQ(MaxPrinterNameLength(deep.c_str()), 259 - 99 - 23);
}

class PrinterNameStartupTest : public k7x::test::MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    theApp.InitApplication(nullptr);
    g_SettingFile.clear();
  }
  std::vector<std::string> MessageBoxes() { return TraceLines("msgbox"); }
};

TEST_F(PrinterNameStartupTest, AnUnusableNameIsRefusedWithAMessageNamingTheSetting) {
  WriteFile("C:\\Setup\\setting.dll", "[Setting]\r\nPrinterName=..\\..\\WINDOWS\\evil\r\n");
  winemu::ui::MessageBoxAnswers answers;
  EXPECT_FALSE(theApp.PrepareStartup());
  EXPECT_EQ(answers.Answered(), 1);
  ASSERT_EQ(MessageBoxes().size(), 1u);
  EXPECT_NE(MessageBoxes()[0].find("PrinterName in setting.dll cannot be used"), std::string::npos) << MessageBoxes()[0];
  EXPECT_NE(MessageBoxes()[0].find("does not allow"), std::string::npos);
  EXPECT_NE(MessageBoxes()[0].find("caption=\"setup\""), std::string::npos);
}

TEST_F(PrinterNameStartupTest, AnEmptyNameIsRefusedInTheWizardsLanguage) {
  winemu::CreateOptions o;
  o.langId = 0x0804;
  MakeMachine(o);
  EXPECT_TRUE(theApp.PrepareStartup());  // first run writes the language files
  g_SettingFile.clear();
  WriteFile("C:\\Setup\\setting.dll", "[Setting]\r\nPrinterName=\r\n");
  winemu::ui::MessageBoxAnswers answers;
  EXPECT_FALSE(theApp.PrepareStartup());
  ASSERT_EQ(MessageBoxes().size(), 1u);
  // Decoded from code page 936: the simplified Chinese text.
  EXPECT_NE(MessageBoxes()[0].find("setting.dll 中的 PrinterName 设置无法使用：名称为空。"), std::string::npos)
      << MessageBoxes()[0];
}

TEST_F(PrinterNameStartupTest, ANameCollidingWithTheUnidrvCoreIsRefusedNamingTheFile) {
  WriteFile("C:\\Setup\\setting.dll", "[Setting]\r\nPrinterName=UNI\r\n");
  winemu::ui::MessageBoxAnswers answers;
  EXPECT_FALSE(theApp.PrepareStartup());
  ASSERT_EQ(MessageBoxes().size(), 1u);
  EXPECT_NE(MessageBoxes()[0].find("PrinterName in setting.dll cannot be used: its driver file UNIRES.dll would "
                                   "replace a file of the Unidrv core"),
            std::string::npos)
      << MessageBoxes()[0];
}

TEST_F(PrinterNameStartupTest, TheLimitFollowsTheDriverDirectoryAndIsTold) {
  WriteFile("C:\\Setup\\setting.dll", "[Setting]\r\nPrinterName=" + std::string(200, 'P') + "\r\n");
  winemu::ui::MessageBoxAnswers answers;
  EXPECT_FALSE(theApp.PrepareStartup());
  ASSERT_EQ(MessageBoxes().size(), 1u);
  // With the usual driver directory the install command (85 characters besides N, its INF path
  // quoted) limits.
  EXPECT_EQ(MaxPrinterNameLength(kDriverDir), 174);
  // A longer directory: the uninstall entry's quiet command, "D\uninstallN.exe" /quiet, limits.
}

TEST_F(PrinterNameStartupTest, TheLongestAcceptedNameStagesEveryFileUnderItsName) {
  std::string name(MaxPrinterNameLength(kDriverDir), 'P');
  WriteFile("C:\\Setup\\setting.dll", "[Setting]\r\nPrinterName=" + name + "\r\n");
  EXPECT_TRUE(theApp.PrepareStartup());
  EXPECT_EQ(g_PrinterName, name);
  CreateDirectoryA("C:\\TEMP", nullptr);
  EXPECT_TRUE(theApp.ExtractPayload(kPayloadXpGpd, "C:\\TEMP\\" + name + ".GPD", TRUE));
  std::string gpd = ReadFile("C:\\TEMP\\" + name + ".GPD");
  EXPECT_NE(gpd.find("*ResourceDLL: \"" + name + "RES.DLL\"\n"), std::string::npos);
}

}  // namespace
