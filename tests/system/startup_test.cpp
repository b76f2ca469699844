// Start-up: program directory, language files and choice, the settings file, the printer name.
#include <windows.h>

#include "shared/SetupApp.h"
#include "shared/globals.h"
#include "support/machine_fixture.h"

namespace {

class StartupTest : public k7x::test::MachineTest {
 protected:
  // One program start: the globals begin as static construction leaves them.
  bool Start() {
    ResetProgramState();
    return theApp.PrepareStartup();
  }
  std::string LanguageOf(const std::string& file) {
    char buf[64];
    GetPrivateProfileStringA("Setting", "Language", "", buf, sizeof buf, file.c_str());
    return buf;
  }
};

TEST_F(StartupTest, FirstRunOnAnEnglishSystemWritesTheSettingsAndTwoLanguageFiles) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(g_AppDir, "C:\\Setup\\");
  EXPECT_EQ(g_SettingFile, "C:\\Setup\\setting.dll");
  EXPECT_EQ(g_LanguageFile, "C:\\Setup\\Language\\Multi_eng.dll");
  EXPECT_EQ(ReadFile("C:\\Setup\\setting.dll"), "[Setting]\r\nLanguage=English\r\nPrinterName=K7X");
  EXPECT_STREQ(g_PrinterName, "K7X");
  EXPECT_EQ(ReadFile("C:\\Setup\\Language\\Multi_eng.dll").size(), 9326u);
  EXPECT_EQ(ReadFile("C:\\Setup\\Language\\Multi_ch.dll").size(), 9304u);
  EXPECT_FALSE(Exists("C:\\Setup\\Language\\Multi_ch_BIG5.dll"));
}

TEST_F(StartupTest, SimplifiedChineseSystemFallsBackToEnglishFirstAndSpeaksChineseAfter) {
  MakeMachineOfLanguage(0x0804);
  ASSERT_TRUE(Start());
  EXPECT_EQ(g_LanguageFile, "C:\\Setup\\Language\\Multi_eng.dll");
  EXPECT_TRUE(Exists("C:\\Setup\\Language\\Multi_ch.dll"));
  ASSERT_TRUE(Start());
  EXPECT_EQ(g_LanguageFile, "C:\\Setup\\Language\\Multi_ch.dll");
  EXPECT_EQ(LanguageOf("C:\\Setup\\Language\\Multi_ch.dll"), "Chinese");
}

TEST_F(StartupTest, TraditionalChineseSystemsUseTheBig5File) {
  for (std::uint16_t lang : {0x0404, 0x0C04}) {
    MakeMachineOfLanguage(lang);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Exists("C:\\Setup\\Language\\Multi_ch_BIG5.dll"));
    EXPECT_FALSE(Exists("C:\\Setup\\Language\\Multi_ch.dll"));
    ASSERT_TRUE(Start());
    EXPECT_EQ(g_LanguageFile, "C:\\Setup\\Language\\Multi_ch_BIG5.dll") << std::hex << lang;
    EXPECT_EQ(g_WizardLanguage, TextLanguage::TraditionalChinese) << std::hex << lang;
  }
}

TEST_F(StartupTest, AChineseFileOfTheOtherScriptCountsAsChineseAndNothingIsWritten) {
  MakeMachineOfLanguage(0x0404);
  CreateDirectoryA("C:\\Setup\\Language", nullptr);
  WriteFile("C:\\Setup\\Language\\Multi_ch.dll", "[Setting]\r\nLanguage=Chinese\r\n");
  ASSERT_TRUE(Start());
  EXPECT_EQ(g_LanguageFile, "C:\\Setup\\Language\\Multi_ch_BIG5.dll");
  EXPECT_FALSE(Exists("C:\\Setup\\Language\\Multi_ch_BIG5.dll"));
  EXPECT_FALSE(Exists("C:\\Setup\\Language\\Multi_eng.dll"));
}

TEST_F(StartupTest, LanguageNamesCompareWithCaseAndStrayFilesAreSkipped) {
  CreateDirectoryA("C:\\Setup\\Language", nullptr);
  WriteFile("C:\\Setup\\Language\\a.dll", "[Setting]\r\nLanguage=english\r\n");
  WriteFile("C:\\Setup\\Language\\b.dll", std::string("MZ\x90\0\x03", 5));
  CreateDirectoryA("C:\\Setup\\Language\\c.dll", nullptr);
  ASSERT_TRUE(Start());
  // "english" does not provide "English": the files are written from the payload.
  EXPECT_EQ(ReadFile("C:\\Setup\\Language\\Multi_eng.dll").size(), 9326u);
}

TEST_F(StartupTest, AnExistingSettingsFileKeepsItsPrinterNameAndAMissingKeyGivesK7X) {
  WriteFile("C:\\Setup\\setting.dll", "[Setting]\r\nPrinterName=K7X2\r\n");
  ASSERT_TRUE(Start());
  EXPECT_STREQ(g_PrinterName, "K7X2");
  ASSERT_TRUE(Start());
  EXPECT_EQ(ReadFile("C:\\Setup\\setting.dll"), "[Setting]\r\nPrinterName=K7X2\r\n");

  WriteFile("C:\\Setup\\setting.dll", "[Setting]\r\nLanguage=English\r\n");
  ASSERT_TRUE(Start());
  EXPECT_STREQ(g_PrinterName, "K7X");
}

TEST_F(StartupTest, AReadOnlyProgramDirectoryLeavesTheDefaultPrinterName) {
  winemu::CreateOptions o;
  o.faults["readonly_program_dir"] = "";
  MakeMachine(o);
  ASSERT_TRUE(Start());
  EXPECT_FALSE(Exists("C:\\Setup\\setting.dll"));
  EXPECT_STREQ(g_PrinterName, "K7X");
}

}  // namespace
