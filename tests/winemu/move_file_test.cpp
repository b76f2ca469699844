// MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT: pairs appended to PendingFileRenameOperations as
// Windows records them; and a running program's own file, which cannot be deleted.
#include <windows.h>

#include "support/machine_fixture.h"

namespace {

using namespace std::string_literals;

class MoveFileTest : public k7x::test::MachineTest {
 protected:
  // The value's bytes as RegQueryValueExA returns them, and its type.
  std::string Pending(DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0, KEY_READ, &key))
      return "(none)";
    char data[512];
    DWORD size = sizeof data;
    LONG err = RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return err ? "(none)" : std::string(data, size);
  }
};

TEST_F(MoveFileTest, DelayedOperationsAreAppendedAsPairsOfNtPaths) {
  WriteFile("C:\\Setup\\a.exe", "a");
  WriteFile("C:\\Setup\\b.txt", "b");
  ASSERT_TRUE(MoveFileExA("c:\\setup\\A.EXE", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  ASSERT_TRUE(MoveFileExA("C:\\Setup\\b.txt", "C:\\Setup\\c.txt", MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING));
  DWORD type = 0;  // the paths as the caller spelled them, made full
  EXPECT_EQ(Pending(&type), "\\??\\C:\\setup\\A.EXE\0\0\\??\\C:\\Setup\\b.txt\0!\\??\\C:\\Setup\\c.txt\0\0"s);
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(ReadFile("C:\\Setup\\a.exe"), "a");  // nothing happens before the next start
  EXPECT_EQ(TraceLines("file.delayedmove"),
            (std::vector<std::string>{"file.delayedmove C:\\setup\\A.EXE -> (delete) -> ok",
                                      "file.delayedmove C:\\Setup\\b.txt -> C:\\Setup\\c.txt -> ok"}));
}

TEST_F(MoveFileTest, WhatIsRefusedRecordsNothing) {
  EXPECT_FALSE(MoveFileExA("C:\\Setup\\missing.exe", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  WriteFile("C:\\Setup\\a.exe", "a");
  EXPECT_FALSE(MoveFileExA("C:\\Setup\\a.exe", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_COPY_ALLOWED));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(MoveFileExA("C:\\Setup\\a.exe", "C:\\Setup\\b.exe", 0));  // only the delayed form is emulated
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(Pending(), "(none)");

  winemu::CreateOptions user;
  user.admin = false;
  MakeMachine(user);
  WriteFile("C:\\Setup\\a.exe", "a");
  EXPECT_FALSE(MoveFileExA("C:\\Setup\\a.exe", nullptr, MOVEFILE_DELAY_UNTIL_REBOOT));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Pending(), "(none)");
}

TEST_F(MoveFileTest, TheRunningProgramsOwnFileCannotBeDeleted) {
  WriteFile("C:\\Setup\\setup.exe", "MZ");
  WriteFile("C:\\Setup\\other.exe", "MZ");
  EXPECT_FALSE(DeleteFileA("c:\\SETUP\\Setup.exe"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(DeleteFileA("C:\\Setup\\other.exe"));
  EXPECT_TRUE(Exists("C:\\Setup\\setup.exe"));
}

}  // namespace
