// Writing payloads, and the model-name rewriting of the GPD and INI.
#include <windows.h>

#include <cstring>

#include "payload/LineReplacement.h"
#include "payload/PayloadIds.h"
#include "shared/SetupApp.h"
#include "shared/globals.h"
#include "support/machine_fixture.h"

namespace {

class PayloadTest : public k7x::test::MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    std::strcpy(g_PrinterName, "K7X");
    CreateDirectoryA("C:\\TEMP", nullptr);
  }
  // RewriteLines over `source` with the model-name table for `name`.
  std::string Rewrite(const std::string& source, const char* name = "K7X") {
    WriteFile("C:\\TEMP\\src.txt", source);
    LineReplacement table[kReplacementTableSize] = {};
    EXPECT_TRUE(FillModelNameTable(table, name));
    theApp.RewriteLines("C:\\TEMP\\src.txt", "C:\\TEMP\\out.txt", table, kModelNameReplacements);
    return ReadFile("C:\\TEMP\\out.txt");
  }
};

TEST_F(PayloadTest, UnchangedPayloadsAreWrittenByteForByteInOneWrite) {
  ASSERT_TRUE(theApp.ExtractPayload(kPayloadSetting, "C:\\Setup\\setting.dll", FALSE));
  EXPECT_EQ(ReadFile("C:\\Setup\\setting.dll"), "[Setting]\r\nLanguage=English\r\nPrinterName=K7X");
  EXPECT_EQ(TraceLines("file.write"), std::vector<std::string>{"file.write C:\\Setup\\setting.dll 44 -> ok"});
  ASSERT_TRUE(theApp.ExtractPayload(0x10000 | kPayloadSetting, "C:\\Setup\\again.dll", FALSE));  // low 16 bits name it
  EXPECT_EQ(ReadFile("C:\\Setup\\again.dll").size(), 44u);
}

TEST_F(PayloadTest, AMissingIdWritesNothingAndAMissingDirectoryIsNoFailure) {
  WriteFile("C:\\TEMP\\keep.txt", "old");
  EXPECT_FALSE(theApp.ExtractPayload(160, "C:\\TEMP\\keep.txt", FALSE));
  EXPECT_FALSE(theApp.ExtractPayload(160, "C:\\TEMP\\keep.txt", TRUE));
  EXPECT_EQ(ReadFile("C:\\TEMP\\keep.txt"), "old");
  EXPECT_TRUE(theApp.ExtractPayload(kPayloadSetting, "C:\\NoDir\\setting.dll", FALSE));
  EXPECT_FALSE(Exists("C:\\NoDir\\setting.dll"));
}

TEST_F(PayloadTest, TheModelIniAndGpdAreRewrittenForK7X) {
  ASSERT_TRUE(theApp.ExtractPayload(kPayloadXpIni, "C:\\TEMP\\K7X.INI", TRUE));
  EXPECT_EQ(ReadFile("C:\\TEMP\\K7X.INI"), "[OEMFiles]\nOEMDriverFile1=K7XD.DLL\nOEMConfigFile1=K7XF.DLL\n\n");
  EXPECT_EQ(ReadFile("C:\\TEMP\\K7X.INI").size(), 60u);
  EXPECT_EQ(ReadFile("c:\\temp\\temp.txt").size(), 64u);  // the intermediate keeps the payload bytes

  ASSERT_TRUE(theApp.ExtractPayload(kPayloadXpGpd, "C:\\TEMP\\K7X.GPD", TRUE));
  std::string gpd = ReadFile("C:\\TEMP\\K7X.GPD");
  EXPECT_EQ(gpd.size(), 15643u);
  EXPECT_EQ(gpd.find('\r'), std::string::npos);
  EXPECT_NE(gpd.find("\n*GPDFileName: \"K7X.GPD\"\n"), std::string::npos);
  EXPECT_NE(gpd.find("\n*ModelName: \"K7X\"\n"), std::string::npos);
  EXPECT_NE(gpd.find("\n*ResourceDLL: \"K7XRES.DLL\"\n"), std::string::npos);
  std::string intermediate = ReadFile("c:\\temp\\temp.txt");
  EXPECT_EQ(intermediate.size(), 16605u);
  // The 2000 and general sets carry the same file.
  ASSERT_TRUE(theApp.ExtractPayload(187, "C:\\TEMP\\general.GPD", TRUE));
  EXPECT_EQ(ReadFile("C:\\TEMP\\general.GPD"), gpd);
}

TEST_F(PayloadTest, AnotherPrinterNameRewritesTheModelLines) {
  std::strcpy(g_PrinterName, "K7X2");
  ASSERT_TRUE(theApp.ExtractPayload(kPayloadXpIni, "C:\\TEMP\\K7X2.INI", TRUE));
  EXPECT_EQ(ReadFile("C:\\TEMP\\K7X2.INI"), "[OEMFiles]\nOEMDriverFile1=K7X2D.DLL\nOEMConfigFile1=K7X2F.DLL\n\n");
  ASSERT_TRUE(theApp.ExtractPayload(kPayloadXpGpd, "C:\\TEMP\\K7X2.GPD", TRUE));
  std::string gpd = ReadFile("C:\\TEMP\\K7X2.GPD");
  EXPECT_NE(gpd.find("\n*GPDFileName: \"K7X2.GPD\"\n"), std::string::npos);
  EXPECT_NE(gpd.find("\n*ModelName: \"K7X2\"\n"), std::string::npos);
  EXPECT_NE(gpd.find("\n*ResourceDLL: \"K7X2RES.DLL\"\n"), std::string::npos);
  EXPECT_EQ(gpd.size(), 15643u + 3);  // three lines, one character longer each
}

TEST_F(PayloadTest, LinesAreMatchedAnywhereWithCaseAndTheFirstEntryWins) {
  EXPECT_EQ(Rewrite("*% old *ModelName: \"X\" comment\r\n"), "*ModelName: \"K7X\"\n");
  EXPECT_EQ(Rewrite("*modelname: \"X\"\r\n"), "*modelname: \"X\"\n");
  EXPECT_EQ(Rewrite("*ModelName: OEMConfigFile1=x\r\n"), "OEMConfigFile1=K7XF.DLL\n");
  EXPECT_EQ(Rewrite("OEMDriverFile1 K7XD.DLL\r\n"), "OEMDriverFile1 K7XD.DLL\n");
  EXPECT_EQ(Rewrite("  OEMDriverFile1=old ; note\r\n"), "OEMDriverFile1=K7XD.DLL\n");
}

TEST_F(PayloadTest, TextModeReadingEndsAtCtrlZAndKeepsLoneCarriageReturns) {
  EXPECT_EQ(Rewrite("a\r\n\r\nb"), "a\n\nb\n");
  EXPECT_EQ(Rewrite("a\rb\r\n"), "a\rb\n");
  EXPECT_EQ(Rewrite("a\r\nb\x1a" "c\r\n"), "a\nb\n");
  EXPECT_EQ(Rewrite(""), "");
}

TEST_F(PayloadTest, ALineLongerThanOnePieceStaysOneLine) {
  std::string longLine(700, 'x');
  EXPECT_EQ(Rewrite(longLine + "\r\nnext\r\n"), longLine + "\nnext\n");
  EXPECT_EQ(Rewrite(std::string(300, ' ') + "*ModelName: \"Z\"\r\n"), "*ModelName: \"K7X\"\n");
  std::string exact(259, 'y');
  EXPECT_EQ(Rewrite(exact + "\n" + exact), exact + "\n" + exact + "\n");
}

TEST_F(PayloadTest, AMissingSourceLeavesAnEmptyTarget) {
  LineReplacement table[kReplacementTableSize] = {};
  ASSERT_TRUE(FillModelNameTable(table, "K7X"));
  WriteFile("C:\\TEMP\\out.txt", "stale");
  theApp.RewriteLines("C:\\TEMP\\none.txt", "C:\\TEMP\\out.txt", table, kModelNameReplacements);
  EXPECT_TRUE(Exists("C:\\TEMP\\out.txt"));
  EXPECT_EQ(ReadFile("C:\\TEMP\\out.txt"), "");
  // The target's handle was closed: it can be opened again at once.
  HANDLE h = CreateFileA("C:\\TEMP\\out.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
}

TEST_F(PayloadTest, ANameTooLongForAReplacementLineIsRefusedAndNothingIsWritten) {
  LineReplacement table[kReplacementTableSize] = {};
  EXPECT_TRUE(FillModelNameTable(table, std::string(236, 'n').c_str()));
  EXPECT_FALSE(FillModelNameTable(table, std::string(237, 'n').c_str()));
  std::memset(g_PrinterName, 'n', 237);
  g_PrinterName[237] = '\0';
  EXPECT_FALSE(theApp.ExtractPayload(kPayloadXpGpd, "C:\\TEMP\\long.GPD", TRUE));
  EXPECT_FALSE(Exists("C:\\TEMP\\long.GPD"));
  EXPECT_FALSE(Exists("C:\\TEMP\\temp.txt"));
}

TEST_F(PayloadTest, RewritingWithoutTheStagingDirectoryLeavesNoTarget) {
  RemoveDirectoryA("C:\\TEMP");
  EXPECT_TRUE(theApp.ExtractPayload(kPayloadXpIni, "C:\\TEMP\\K7X.INI", TRUE));
  EXPECT_FALSE(Exists("C:\\TEMP\\K7X.INI"));
}

}  // namespace
