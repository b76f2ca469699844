// The profile functions keep Windows' observable rules.
#include <windows.h>

#include "support/machine_fixture.h"

namespace {

class ProfileTest : public k7x::test::MachineTest {
 protected:
  std::string Get(const char* section, const char* key, const char* def = "dflt", DWORD size = 260,
                  DWORD* count = nullptr) {
    std::string buf(size ? size : 1, '#');
    DWORD n = GetPrivateProfileStringA(section, key, def, buf.data(), size, "C:\\Setup\\t.ini");
    if (count) *count = n;
    return size ? std::string(buf.c_str()) : std::string();
  }
};

TEST_F(ProfileTest, SectionsAndKeysMatchWithoutCaseAndValuesAreTrimmed) {
  WriteFile("C:\\Setup\\t.ini", "  [Setting] \r\nPrinterName =  K7X2 \r\nlanguage=a=b\r\n[Other]\r\nPrinterName=x\r\n");
  EXPECT_EQ(Get("setting", "printername"), "K7X2");
  EXPECT_EQ(Get("SETTING", "Language"), "a=b");  // the rest of the line after the first '='
  EXPECT_EQ(Get("Other", "PrinterName"), "x");
  EXPECT_EQ(Get("Setting", "Missing"), "dflt");
  EXPECT_EQ(Get("Missing", "PrinterName", "  K7X  "), "K7X");  // the default is trimmed too
  EXPECT_EQ(Get("Setting", "Missing", nullptr), "");
}

// Strings are read one by one from a file kept in memory; any change to the drive reads it again.
TEST_F(ProfileTest, AFileChangedBetweenTwoReadsIsReadAgain) {
  WriteFile("C:\\Setup\\t.ini", "[S]\r\nK=1\r\n");
  EXPECT_EQ(Get("S", "K"), "1");
  HANDLE h = CreateFileA("C:\\Setup\\t.ini", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD n = 0;
  ASSERT_TRUE(::WriteFile(h, "[S]\r\nK=2\r\n", 10, &n, nullptr));  // the same size, within the same tick
  CloseHandle(h);
  EXPECT_EQ(Get("S", "K"), "2");
  ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "3", "C:\\Setup\\t.ini"));
  EXPECT_EQ(Get("S", "K"), "3");
  WriteFile("C:\\Setup\\t.ini", "[S]\r\nK=4\r\n");  // on the host, as another program would
  EXPECT_EQ(Get("S", "K"), "4");
  ASSERT_TRUE(CopyFileA("C:\\Setup\\t.ini", "C:\\Setup\\u.ini", FALSE));
  EXPECT_EQ(GetPrivateProfileIntA("S", "K", 0, "C:\\Setup\\u.ini"), 4u);
  WriteFile("C:\\Setup\\t.ini", "[S]\r\nK=5\r\n");
  ASSERT_TRUE(CopyFileA("C:\\Setup\\t.ini", "C:\\Setup\\u.ini", FALSE));
  EXPECT_EQ(GetPrivateProfileIntA("S", "K", 0, "C:\\Setup\\u.ini"), 5u);
}

TEST_F(ProfileTest, QuotesAroundAValueAreRemovedOnce) {
  WriteFile("C:\\Setup\\t.ini", "[S]\nA=\"quoted\"\nB='single'\nC=\"unbalanced\nD=\"\"x\"\"\n");
  EXPECT_EQ(Get("S", "A"), "quoted");
  EXPECT_EQ(Get("S", "B"), "single");
  EXPECT_EQ(Get("S", "C"), "\"unbalanced");
  EXPECT_EQ(Get("S", "D"), "\"x\"");
}

TEST_F(ProfileTest, ResultIsCutToTheBufferAndTerminated) {
  WriteFile("C:\\Setup\\t.ini", "[S]\nK=" + std::string(300, 'n') + "\n");
  DWORD count = 0;
  std::string v = Get("S", "K", "", 260, &count);
  EXPECT_EQ(count, 259u);
  EXPECT_EQ(v, std::string(259, 'n'));
  EXPECT_EQ(Get("S", "K", "", 1, &count), "");
  EXPECT_EQ(count, 0u);
}

TEST_F(ProfileTest, MissingFileGivesTheDefaultAndNonIniBytesYieldNothing) {
  EXPECT_EQ(Get("Setting", "Language", "none"), "none");
  WriteFile("C:\\Setup\\t.ini", std::string("MZ\x90\0\x03\0\0\0\xff\xff", 10));
  EXPECT_EQ(Get("Setting", "Language", ""), "");
}

TEST_F(ProfileTest, NullKeyListsKeysAndNullSectionListsSections) {
  WriteFile("C:\\Setup\\t.ini", "[A]\r\nx=1\r\ny=2\r\n[B]\r\n");
  char buf[64];
  DWORD n = GetPrivateProfileStringA("A", nullptr, "", buf, sizeof buf, "C:\\Setup\\t.ini");
  EXPECT_EQ(std::string(buf, n + 1), std::string("x\0y\0\0", 5));
  n = GetPrivateProfileStringA(nullptr, nullptr, "", buf, sizeof buf, "C:\\Setup\\t.ini");
  EXPECT_EQ(std::string(buf, n + 1), std::string("A\0B\0\0", 5));
}

TEST_F(ProfileTest, WritingCreatesAMissingFileAndKeepsOtherLinesByteForByte) {
  ASSERT_TRUE(WritePrivateProfileStringA("Setting", "Language", "English", "C:\\Setup\\new.ini"));
  EXPECT_EQ(ReadFile("C:\\Setup\\new.ini"), "[Setting]\r\nLanguage=English\r\n");

  WriteFile("C:\\Setup\\t.ini", "; comment\n[setting]\nPrinterName=K7X\n\n[Other]\nz=1");
  ASSERT_TRUE(WritePrivateProfileStringA("Setting", "Language", "Chinese", "C:\\Setup\\t.ini"));
  EXPECT_EQ(ReadFile("C:\\Setup\\t.ini"), "; comment\n[setting]\nPrinterName=K7X\nLanguage=Chinese\r\n\n[Other]\nz=1");
  ASSERT_TRUE(WritePrivateProfileStringA("SETTING", "language", "English", "C:\\Setup\\t.ini"));
  EXPECT_EQ(Get("Setting", "Language"), "English");
  // The key keeps the name it is stored under.
  EXPECT_EQ(ReadFile("C:\\Setup\\t.ini"), "; comment\n[setting]\nPrinterName=K7X\nLanguage=English\r\n\n[Other]\nz=1");
  ASSERT_TRUE(WritePrivateProfileStringA("Third", "k", "v", "C:\\Setup\\t.ini"));
  EXPECT_TRUE(ReadFile("C:\\Setup\\t.ini").ends_with("\nz=1\r\n[Third]\r\nk=v\r\n"));
}

TEST_F(ProfileTest, AnEmptyFileNameWritesNothing) {
  EXPECT_FALSE(WritePrivateProfileStringA("Setting", "Language", "English", ""));
  EXPECT_FALSE(Exists("C:\\Setup\\setting.dll"));
  EXPECT_EQ(TraceLines("profile.write").size(), 1u);
}

TEST_F(ProfileTest, WritingIntoAMissingDirectoryOrAReadOnlyProgramDirectoryFails) {
  EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", "C:\\Nowhere\\x.ini"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  winemu::CreateOptions o;
  o.faults["readonly_program_dir"] = "";
  MakeMachine(o);
  EXPECT_FALSE(WritePrivateProfileStringA("S", "k", "v", "C:\\Setup\\x.ini"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(Exists("C:\\Setup\\x.ini"));
}

}  // namespace
