// Files' owners and DACLs on the machine: kept in security.txt, enforced for the standard user,
// taken over by an administrator; junctions; the user_writer fault.
#include <windows.h>

#include "support/machine_fixture.h"
#include "winemu/kernel32/file_security.h"
#include "winemu/kernel32/junctions.h"
#include "winemu/kernel32/user_writer.h"

namespace {

using k7x::test::MachineTest;
using winemu::StandardUserProcess;
namespace sids = winemu::sids;

class FileSecurityTest : public MachineTest {
 protected:
  void UserTemp(std::map<std::string, std::string> faults = {}) {
    winemu::CreateOptions o;
    o.userTemp = true;
    o.faults = std::move(faults);
    MakeMachine(o);
  }
  winemu::SecurityStore& Store() { return machine().State<winemu::SecurityStore>(); }
  static bool Make(const char* path, const std::string& bytes = "x") {
    HANDLE h = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    return CloseHandle(h);
  }
};

TEST_F(FileSecurityTest, AUsersTempLetsEveryoneChangeAndWhatTheyMakeIsTheirs) {
  UserTemp();
  auto temp = Store().Effective("c:\\temp");
  ASSERT_TRUE(temp);
  EXPECT_EQ(temp->owner, sids::kStandardUser);
  {
    StandardUserProcess user;
    ASSERT_TRUE(Make("C:\\TEMP\\mine.dll"));
    ASSERT_TRUE(CreateDirectoryA("C:\\TEMP\\x86", nullptr));
    EXPECT_FALSE(Make("C:\\WINDOWS\\mine.dll"));
  }
  EXPECT_EQ(Store().Effective("C:\\TEMP\\mine.dll")->owner, sids::kStandardUser);
  // Kept in the machine: a machine opened afresh knows them.
  auto reopened = winemu::Machine::Open(dir());
  auto previous = winemu::Machine::Use(std::move(reopened));
  EXPECT_EQ(Store().Effective("C:\\TEMP\\x86\\new")->dacl, Store().Effective("C:\\TEMP\\x86")->dacl);
  EXPECT_EQ(Store().Effective("C:\\TEMP\\x86")->owner, sids::kStandardUser);
  winemu::Machine::Use(std::move(previous));
}

TEST_F(FileSecurityTest, AProtectedFolderKeepsTheUserOutButLetsThemRead) {
  UserTemp();
  ASSERT_TRUE(Make("C:\\TEMP\\staged.dll", "admin's"));
  Store().Set("C:\\TEMP", {sids::kAdministrators,
                           true,
                           {{sids::kAdministrators, FILE_ALL_ACCESS, 3}, {sids::kUsers, FILE_GENERIC_READ, 3}}});
  ASSERT_TRUE(Make("C:\\TEMP\\new.dll", "admin's"));
  StandardUserProcess user;
  for (const char* path : {"C:\\TEMP\\new.dll", "C:\\TEMP\\other.dll"}) {
    EXPECT_FALSE(Make(path, "user's")) << path;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  }
  EXPECT_FALSE(DeleteFileA("C:\\TEMP\\new.dll"));
  EXPECT_EQ(ReadFile("C:\\TEMP\\new.dll"), "admin's");
  HANDLE h = CreateFileA("C:\\TEMP\\new.dll", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  // The file made before the folder was protected is still under the user's inherited Change.
  EXPECT_TRUE(Make("C:\\TEMP\\staged.dll", "user's"));
}

TEST_F(FileSecurityTest, TakingOverAUsersFolderNeedsThePrivilegeToTakeOwnership) {
  UserTemp();
  // The user, its owner, has left administrators out of its DACL.
  Store().Set("C:\\TEMP", {sids::kStandardUser, false, {{sids::kEveryone, winemu::kChangeAccess, 3}}});
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID admins = nullptr;
  AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &admins);
  SECURITY_DESCRIPTOR sd;
  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorOwner(&sd, admins, FALSE);
  EXPECT_FALSE(SetFileSecurityA("C:\\TEMP", OWNER_SECURITY_INFORMATION, &sd));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
  TOKEN_PRIVILEGES privileges = {1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
  ASSERT_TRUE(LookupPrivilegeValueA(nullptr, SE_TAKE_OWNERSHIP_NAME, &privileges.Privileges[0].Luid));
  ASSERT_TRUE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
  EXPECT_TRUE(SetFileSecurityA("C:\\TEMP", OWNER_SECURITY_INFORMATION, &sd));
  EXPECT_EQ(Store().Effective("C:\\TEMP")->owner, sids::kAdministrators);
  CloseHandle(token);
  FreeSid(admins);
}

TEST_F(FileSecurityTest, AJunctionShowsAsAReparsePointAndRemovingItLeavesTheTarget) {
  ASSERT_TRUE(CreateDirectoryA("C:\\Target", nullptr));
  WriteFile("C:\\Target\\kept.txt", "kept");
  ASSERT_EQ(winemu::MakeJunction("C:\\Link", "C:\\Target"), 0u);
  EXPECT_EQ(GetFileAttributesA("C:\\Link"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
  EXPECT_EQ(ReadFile("C:\\Link\\kept.txt"), "kept");  // paths pass through it
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA("C:\\Lin*", &found);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  FindClose(find);
  EXPECT_TRUE(RemoveDirectoryA("C:\\Link"));
  EXPECT_FALSE(Exists("C:\\Link"));
  EXPECT_EQ(ReadFile("C:\\Target\\kept.txt"), "kept");
}

TEST_F(FileSecurityTest, TheUserWriterReplacesAFileAfterTheNthTraceEntryUnderItsRights) {
  UserTemp({{"user_writer", "3:C:\\TEMP\\K7XD.dll"}});
  ASSERT_TRUE(Make("C:\\TEMP\\K7XD.dll", "payload"));  // two trace entries: create, write
  EXPECT_TRUE(TraceLines("user.replace").empty());
  ASSERT_TRUE(CreateDirectoryA("C:\\TEMP\\sub", nullptr));  // the third
  EXPECT_EQ(TraceLines("user.replace"), std::vector<std::string>{"user.replace C:\\TEMP\\K7XD.dll -> ok"});
  EXPECT_EQ(ReadFile("C:\\TEMP\\K7XD.dll"), winemu::kUserWriterBytes);

  UserTemp({{"user_writer", "1:C:\\TEMP\\K7XD.dll"}});
  Store().Set("C:\\TEMP", {sids::kAdministrators, true, {{sids::kAdministrators, FILE_ALL_ACCESS, 3}}});
  ASSERT_TRUE(Make("C:\\TEMP\\K7XD.dll", "payload"));
  EXPECT_EQ(TraceLines("user.replace"), std::vector<std::string>{"user.replace C:\\TEMP\\K7XD.dll -> error 5"});
  EXPECT_EQ(ReadFile("C:\\TEMP\\K7XD.dll"), "payload");
}

}  // namespace
