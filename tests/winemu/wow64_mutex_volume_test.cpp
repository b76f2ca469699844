// A 64-bit machine as a 32-bit program sees it, named mutexes across processes, and a folder that
// is a small volume of its own.
#include <sys/wait.h>
#include <unistd.h>

#include <windows.h>

#include <fstream>

#include "support/machine_fixture.h"

namespace {

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);

class GuardSupport : public k7x::test::MachineTest {
 protected:
  // IsWow64Process as a program finds it: -1 when kernel32 does not export it.
  static int Wow64() {
    FARPROC found = GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "IsWow64Process");
    if (!found) return GetLastError() == ERROR_PROC_NOT_FOUND ? -1 : -2;
    BOOL wow64 = 2;
    reinterpret_cast<IsWow64ProcessFunction>(reinterpret_cast<void (*)()>(found))(GetCurrentProcess(), &wow64);
    return wow64;
  }
};

TEST_F(GuardSupport, IsWow64ProcessComesWithXpAndAnswersTrueOnlyOnA64BitMachine) {
  MakeMachine(5, 0, true);
  EXPECT_EQ(Wow64(), -1);
  MakeMachine(6, 1, true);
  EXPECT_EQ(Wow64(), FALSE);
  EXPECT_FALSE(Exists("C:\\WINDOWS\\system32\\spool\\drivers\\x64\\3"));
  winemu::CreateOptions o;
  o.x64 = true;
  MakeMachine(o);
  EXPECT_EQ(Wow64(), TRUE);
  EXPECT_TRUE(Exists("C:\\WINDOWS\\system32\\spool\\drivers\\x64\\3"));
  EXPECT_TRUE(Exists("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3"));
  std::ifstream ini(dir() / "machine.ini");
  EXPECT_TRUE(winemu::MachineConfig::Parse(std::string(std::istreambuf_iterator<char>(ini), {})).x64);
}

TEST_F(GuardSupport, ANamedMutexExistsWhileAnyProcessHoldsAHandle) {
  HANDLE first = CreateMutexA(nullptr, TRUE, "Global\\Probe");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), 0u);
  HANDLE second = CreateMutexA(nullptr, TRUE, "Global\\Probe");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CreateMutexA(nullptr, FALSE, "Global\\probe");
  EXPECT_EQ(GetLastError(), 0u) << "names are case-sensitive";

  // Another process on the same machine sees the name; once both handles close, nobody does.
  auto otherSees = [] {
    pid_t child = fork();
    if (child == 0) {
      CreateMutexA(nullptr, FALSE, "Global\\Probe");
      _exit(GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WEXITSTATUS(status) == 1;
  };
  EXPECT_TRUE(otherSees());
  CloseHandle(first);
  EXPECT_TRUE(otherSees());
  CloseHandle(second);
  EXPECT_FALSE(otherSees());

  MakeMachineWith({}, {{"held_mutex", "Global\\Probe"}});
  CreateMutexA(nullptr, TRUE, "Global\\Probe");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

TEST_F(GuardSupport, AFolderVolumeFillsWithWhatItsFilesHoldAndOnlyThere) {
  MakeMachineWith({}, {{"disk_full", "10@C:\\TEMP"}});
  CreateDirectoryA("C:\\TEMP", nullptr);
  CreateDirectoryA("C:\\TEMP\\x86", nullptr);
  auto write = [](const char* path, const std::string& bytes) {
    HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    BOOL ok = ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    DWORD error = GetLastError();
    CloseHandle(f);
    SetLastError(error);
    return ok ? written : 0xFFFFFFFF;
  };
  EXPECT_EQ(write("C:\\TEMP\\a", "123456"), 6u);
  EXPECT_EQ(write("C:\\TEMP\\x86\\b", "12345"), 0xFFFFFFFFu);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_EQ(write("C:\\TEMP\\x86\\b", "1234"), 4u) << "exactly full";
  EXPECT_FALSE(CopyFileA("C:\\TEMP\\a", "C:\\TEMP\\c", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_TRUE(CopyFileA("C:\\TEMP\\a", "C:\\Setup\\a", FALSE)) << "outside the folder";
  EXPECT_EQ(write("C:\\TEMP\\a", "1"), 1u) << "a file written again gives its room back";
}

}  // namespace
