// kernel32 files and directories on the machine's drive C:.
#include <windows.h>

#include <sys/stat.h>

#include "support/machine_fixture.h"

namespace {

using k7x::test::MachineTest;

HANDLE Create(const char* path, DWORD access, DWORD disposition, DWORD share = 0) {
  return CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool Write(HANDLE h, const std::string& bytes) {
  DWORD n = 0;
  return WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
}

class FilesTest : public MachineTest {};

TEST_F(FilesTest, PathsMatchExistingComponentsWithoutCaseAndNewOnesKeepTheirCase) {
  ASSERT_TRUE(CreateDirectoryA("c:\\temp", nullptr));
  HANDLE h = Create("C:\\TEMP\\K7X.GPD", GENERIC_WRITE, CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(Write(h, "abc"));
  CloseHandle(h);
  EXPECT_TRUE(std::filesystem::exists(dir() / "drive_c/temp/K7X.GPD"));
  EXPECT_EQ(ReadFile("c:\\Temp\\k7x.gpd"), "abc");
  EXPECT_FALSE(CreateDirectoryA("C:\\TEMP", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

// Names are looked up in what the machine knows of each directory; its own changes keep that true.
TEST_F(FilesTest, LookupsFollowWhatTheMachineMakesAndRemoves) {
  ASSERT_TRUE(CreateDirectoryA("C:\\TEMP", nullptr));
  EXPECT_EQ(GetFileAttributesA("c:\\temp\\x86"), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(CreateDirectoryA("C:\\TEMP\\x86", nullptr));
  HANDLE h = Create("c:\\temp\\X86\\K7X.GPD", GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(std::filesystem::exists(dir() / "drive_c/TEMP/x86/K7X.GPD"));
  EXPECT_EQ(GetFileAttributesA("C:\\TEMP\\x86\\k7x.gpd"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));

  // A name given up and made again takes the new letter case.
  ASSERT_TRUE(DeleteFileA("C:\\TEMP\\x86\\K7X.GPD"));
  EXPECT_EQ(GetFileAttributesA("C:\\TEMP\\x86\\K7X.GPD"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  WriteFile("C:\\Setup\\new.gpd", "x");
  ASSERT_TRUE(CopyFileA("C:\\Setup\\new.gpd", "C:\\TEMP\\x86\\k7x.gpd", TRUE));
  EXPECT_TRUE(std::filesystem::exists(dir() / "drive_c/TEMP/x86/k7x.gpd"));
  EXPECT_FALSE(std::filesystem::exists(dir() / "drive_c/TEMP/x86/K7X.GPD"));

  // A path through a file, then the file replaced by a folder of the same name.
  EXPECT_EQ(Create("C:\\TEMP\\x86\\k7x.gpd\\inner", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  ASSERT_TRUE(DeleteFileA("C:\\TEMP\\x86\\k7x.gpd"));
  ASSERT_TRUE(CreateDirectoryA("C:\\TEMP\\x86\\k7x.gpd", nullptr));
  h = Create("C:\\TEMP\\x86\\k7x.gpd\\inner", GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_EQ(GetFileAttributesA("C:\\TEMP\\x86\\K7X.GPD"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

  // Folders removed and made again, as the installation stages and clears C:\TEMP.
  ASSERT_TRUE(DeleteFileA("C:\\TEMP\\x86\\k7x.gpd\\inner"));
  ASSERT_TRUE(RemoveDirectoryA("C:\\TEMP\\x86\\k7x.gpd"));
  ASSERT_TRUE(RemoveDirectoryA("C:\\TEMP\\x86"));
  EXPECT_EQ(GetFileAttributesA("C:\\TEMP\\x86"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Create("C:\\TEMP\\x86\\a", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  ASSERT_TRUE(CreateDirectoryA("C:\\TEMP\\X86", nullptr));
  EXPECT_EQ(GetFileAttributesA("C:\\TEMP\\x86"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_TRUE(std::filesystem::is_directory(dir() / "drive_c/TEMP/X86"));
}

// Small writes are handed to the host later, but nothing that looks at the file can tell.
TEST_F(FilesTest, WrittenBytesAreThereForEveryLookBeforeTheWriterCloses) {
  HANDLE writer = Create("C:\\Setup\\w.txt", GENERIC_WRITE, CREATE_ALWAYS, FILE_SHARE_READ);
  ASSERT_TRUE(Write(writer, "ab"));
  ASSERT_TRUE(Write(writer, "c"));
  EXPECT_EQ(GetFileSize(writer, nullptr), 3u);
  HANDLE reader = Create("C:\\Setup\\w.txt", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ | FILE_SHARE_WRITE);
  char buf[8];
  DWORD n = 0;
  ASSERT_TRUE(::ReadFile(reader, buf, sizeof buf, &n, nullptr));
  EXPECT_EQ(std::string(buf, n), "abc");
  ASSERT_TRUE(Write(writer, "d"));
  EXPECT_EQ(GetFileSize(reader, nullptr), 4u);
  CloseHandle(reader);
  ASSERT_TRUE(Write(writer, "e"));
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA("C:\\Setup\\w.txt", &found);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_EQ(found.nFileSizeLow, 5u);
  FindClose(find);
  EXPECT_EQ(ReadFile("C:\\Setup\\w.txt"), "abcde");

  // A large write goes straight through, after what was kept, in order.
  std::string large(100000, 'y');
  ASSERT_TRUE(Write(writer, "x"));
  ASSERT_TRUE(Write(writer, large));
  ASSERT_TRUE(Write(writer, "z"));
  EXPECT_EQ(SetFilePointer(writer, 1, nullptr, FILE_BEGIN), 1u);
  ASSERT_TRUE(Write(writer, "B"));
  CloseHandle(writer);
  EXPECT_EQ(ReadFile("C:\\Setup\\w.txt"), "aBcdex" + large + "z");
  EXPECT_EQ(TraceLines("file.write").size(), 8u);  // every call traced as made
}

TEST_F(FilesTest, CreateDispositionsAndErrors) {
  EXPECT_EQ(Create("C:\\Nope\\a.txt", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(Create("C:\\Setup\\a.txt", GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  HANDLE h = Create("C:\\Setup\\a.txt", GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  Write(h, "0123456789");
  // No sharing: a second open is a sharing violation while the first is open.
  EXPECT_EQ(Create("C:\\Setup\\a.txt", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(DeleteFileA("C:\\Setup\\a.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  CloseHandle(h);
  EXPECT_EQ(Create("C:\\Setup\\a.txt", GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  h = Create("C:\\Setup\\a.txt", GENERIC_WRITE, CREATE_ALWAYS);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  CloseHandle(h);
  EXPECT_EQ(ReadFile("C:\\Setup\\a.txt"), "");  // truncated
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(FilesTest, ReadFileReadsWhatWasWritten) {
  WriteFile("C:\\Setup\\r.bin", std::string("a\0b\r\n", 5));
  HANDLE h = Create("C:\\Setup\\r.bin", GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ);
  char buf[16];
  DWORD n = 0;
  ASSERT_TRUE(::ReadFile(h, buf, sizeof buf, &n, nullptr));
  EXPECT_EQ(std::string(buf, n), std::string("a\0b\r\n", 5));
  ASSERT_TRUE(::ReadFile(h, buf, sizeof buf, &n, nullptr));
  EXPECT_EQ(n, 0u);  // end of file
  EXPECT_EQ(GetFileSize(h, nullptr), 5u);
  CloseHandle(h);
}

TEST_F(FilesTest, CopyKeepsContentAndAttributesAndHonoursFailIfExists) {
  WriteFile("C:\\Setup\\src.dll", "payload");
  ASSERT_TRUE(SetFileAttributesA("C:\\Setup\\src.dll", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(CopyFileA("C:\\Setup\\src.dll", "C:\\WINDOWS\\dst.dll", FALSE));
  EXPECT_EQ(ReadFile("C:\\WINDOWS\\dst.dll"), "payload");
  EXPECT_EQ(GetFileAttributesA("C:\\WINDOWS\\dst.dll"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(std::filesystem::exists(Host("C:\\Setup\\src.dll")));

  WriteFile("C:\\Setup\\b.txt", "new");
  WriteFile("C:\\Setup\\c.txt", "old");
  EXPECT_FALSE(CopyFileA("C:\\Setup\\b.txt", "C:\\Setup\\c.txt", TRUE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  EXPECT_EQ(ReadFile("C:\\Setup\\c.txt"), "old");
  EXPECT_TRUE(CopyFileA("C:\\Setup\\b.txt", "C:\\Setup\\c.txt", FALSE));
  EXPECT_EQ(ReadFile("C:\\Setup\\c.txt"), "new");
  WriteFile("C:\\Setup\\long.txt", "a longer old text");
  EXPECT_TRUE(CopyFileA("C:\\Setup\\b.txt", "C:\\Setup\\long.txt", FALSE));
  EXPECT_EQ(ReadFile("C:\\Setup\\long.txt"), "new");  // nothing of the old text is left
  EXPECT_FALSE(CopyFileA("C:\\Setup\\c.txt", "c:\\setup\\C.TXT", FALSE));  // onto itself: the source is open
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(ReadFile("C:\\Setup\\c.txt"), "new");
  EXPECT_FALSE(CopyFileA("C:\\Setup\\missing", "C:\\Setup\\d.txt", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(Exists("C:\\Setup\\d.txt"));
  // A read-only file is not deleted.
  EXPECT_FALSE(DeleteFileA("C:\\WINDOWS\\dst.dll"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

TEST_F(FilesTest, RemoveDirectoryRemovesOnlyEmptyDirectories) {
  ASSERT_TRUE(CreateDirectoryA("C:\\TEMP", nullptr));
  ASSERT_TRUE(CreateDirectoryA("C:\\TEMP\\x86", nullptr));
  EXPECT_FALSE(CreateDirectoryA("C:\\TEMP\\a\\b", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(RemoveDirectoryA("c:\\temp"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
  EXPECT_TRUE(RemoveDirectoryA("c:\\temp\\X86"));
  EXPECT_FALSE(RemoveDirectoryA("c:\\temp\\x86"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(RemoveDirectoryA("c:\\temp"));
  EXPECT_EQ(TraceLines("dir."), (std::vector<std::string>{
      "dir.create C:\\TEMP -> ok", "dir.create C:\\TEMP\\x86 -> ok", "dir.create C:\\TEMP\\a\\b -> error 3",
      "dir.remove C:\\temp -> error 145", "dir.remove C:\\temp\\X86 -> ok", "dir.remove C:\\temp\\x86 -> error 2",
      "dir.remove C:\\temp -> ok"}));
}

TEST_F(FilesTest, FindListsMatchesInNameOrderWithDotEntries) {
  CreateDirectoryA("C:\\Setup\\Language", nullptr);
  for (const char* name : {"Multi_eng.dll", "b.DLL", "Multi_ch.dll", "notes.txt"}) WriteFile(std::string("C:\\Setup\\Language\\") + name, "x");
  CreateDirectoryA("C:\\Setup\\Language\\sub.dll", nullptr);
  WIN32_FIND_DATAA fd;
  std::vector<std::string> names;
  HANDLE h = FindFirstFileA("C:\\Setup\\Language\\*", &fd);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  do names.push_back(fd.cFileName + std::string((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? "/" : ""));
  while (FindNextFileA(h, &fd));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  FindClose(h);
  EXPECT_EQ(names, (std::vector<std::string>{"./", "../", "b.DLL", "Multi_ch.dll", "Multi_eng.dll", "notes.txt", "sub.dll/"}));
  EXPECT_EQ(FindFirstFileA("C:\\Setup\\Language\\*.exe", &fd), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(FindFirstFileA("C:\\Nowhere\\*.dll", &fd), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST_F(FilesTest, FaultsMakeWritesFailTheWayWindowsFails) {
  winemu::CreateOptions o;
  o.faults["readonly_program_dir"] = "";
  o.faults["disk_full"] = "5";
  MakeMachine(o);
  EXPECT_EQ(Create("C:\\Setup\\setting.dll", GENERIC_WRITE, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(CreateDirectoryA("C:\\Setup\\Language", nullptr));
  CreateDirectoryA("C:\\TEMP", nullptr);
  HANDLE h = Create("C:\\TEMP\\big.bin", GENERIC_WRITE, CREATE_ALWAYS);
  EXPECT_TRUE(Write(h, "12345"));
  EXPECT_FALSE(Write(h, "6"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  CloseHandle(h);
  EXPECT_EQ(ReadFile("C:\\TEMP\\big.bin"), "12345");
}

TEST_F(FilesTest, AUserWithoutAdministratorRightsCannotWriteIntoTheWindowsDirectory) {
  winemu::CreateOptions o;
  o.admin = false;
  MakeMachine(o);
  WriteFile("C:\\Setup\\f.txt", "x");
  EXPECT_FALSE(CopyFileA("C:\\Setup\\f.txt", "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\f.txt", FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(CopyFileA("C:\\Setup\\f.txt", "C:\\Setup\\g.txt", FALSE));
}

TEST_F(FilesTest, ModuleAndSystemDirectoriesFollowTheMachine) {
  char buf[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameA(nullptr, buf, sizeof buf), 18u);
  EXPECT_STREQ(buf, "C:\\Setup\\setup.exe");
  EXPECT_EQ(GetModuleFileNameA(nullptr, buf, 5), 5u);
  EXPECT_STREQ(buf, "C:\\S");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(GetWindowsDirectoryA(buf, sizeof buf), 10u);
  EXPECT_STREQ(buf, "C:\\WINDOWS");
  EXPECT_EQ(GetWindowsDirectoryA(buf, 10), 11u);  // too small: the size needed
}

}  // namespace
