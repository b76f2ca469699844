// kernel32: files and directories: case-insensitive names, share modes, attributes, copying,
// deleting, and the last error after each failure.
#include "check.h"
#include "parts.h"
#include "scratch.h"

namespace conformance {
namespace {

const char kRootWrites[] = "Wine run as root: the read-only attribute is the Unix write permission, which root passes";

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  return CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void CheckCreateAndCase() {
  std::string data = InScratch("Data.TXT");
  ok_fails(!CreateDirectoryA(kScratch, nullptr), ERROR_ALREADY_EXISTS, "CreateDirectoryA of an existing folder");
  ok_fails(!CreateDirectoryA("C:\\conformance\\no\\such", nullptr), ERROR_PATH_NOT_FOUND,
           "CreateDirectoryA under a missing folder");
  HANDLE h = Open(data, GENERIC_WRITE, 0, CREATE_NEW);
  ok(h != INVALID_HANDLE_VALUE, "CreateFileA CREATE_NEW failed with %u", static_cast<unsigned>(GetLastError()));
  DWORD written = 0;
  ok(WriteFile(h, "hello", 5, &written, nullptr) && written == 5, "WriteFile wrote %u bytes, expected 5",
     static_cast<unsigned>(written));
  CloseHandle(h);
  ok_fails(Open(InScratch("dATA.txt"), GENERIC_WRITE, 0, CREATE_NEW) == INVALID_HANDLE_VALUE, ERROR_FILE_EXISTS,
           "CreateFileA CREATE_NEW of the same name in other letter cases");
  ok(ReadBytes("c:\\CONFORMANCE\\data.txt") == "hello", "reading through another case gave '%s', expected 'hello'",
     ReadBytes("c:\\CONFORMANCE\\data.txt").c_str());
  DWORD attributes = GetFileAttributesA(data.c_str());
  ok(attributes == FILE_ATTRIBUTE_ARCHIVE, "a new file's attributes are 0x%x, expected 0x20 (archive)",
     static_cast<unsigned>(attributes));
  ok(GetFileAttributesA(kScratch) == FILE_ATTRIBUTE_DIRECTORY, "a new folder's attributes are 0x%x, expected 0x10",
     static_cast<unsigned>(GetFileAttributesA(kScratch)));
  ok_fails(GetFileAttributesA(InScratch("missing.txt").c_str()) == INVALID_FILE_ATTRIBUTES, ERROR_FILE_NOT_FOUND,
           "GetFileAttributesA of a missing file");
  ok_fails(GetFileAttributesA("C:\\conformance\\nodir\\x.txt") == INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND,
           "GetFileAttributesA in a missing folder");
  ok_fails(Open(InScratch("missing.txt"), GENERIC_READ, 0, OPEN_EXISTING) == INVALID_HANDLE_VALUE,
           ERROR_FILE_NOT_FOUND, "CreateFileA OPEN_EXISTING of a missing file");
  ok_fails(Open("C:\\conformance\\nodir\\x.txt", GENERIC_READ, 0, OPEN_EXISTING) == INVALID_HANDLE_VALUE,
           ERROR_PATH_NOT_FOUND, "CreateFileA in a missing folder");

  SetLastError(0xdead);
  h = Open(data, GENERIC_WRITE, 0, OPEN_ALWAYS);
  ok(h != INVALID_HANDLE_VALUE && GetLastError() == ERROR_ALREADY_EXISTS,
     "CreateFileA OPEN_ALWAYS of an existing file: last error %u, expected 183", static_cast<unsigned>(GetLastError()));
  ok(GetFileSize(h, nullptr) == 5, "OPEN_ALWAYS kept %u bytes, expected 5", static_cast<unsigned>(GetFileSize(h, nullptr)));
  ok(SetFilePointer(h, 0, nullptr, FILE_END) == 5, "SetFilePointer FILE_END gave %u, expected 5",
     static_cast<unsigned>(SetFilePointer(h, 0, nullptr, FILE_END)));
  WriteFile(h, "!", 1, &written, nullptr);
  CloseHandle(h);
  ok(ReadBytes(data) == "hello!", "appending at the end gave '%s', expected 'hello!'", ReadBytes(data).c_str());

  SetLastError(0xdead);
  h = Open(InScratch("new.txt"), GENERIC_WRITE, 0, OPEN_ALWAYS);
  ok(h != INVALID_HANDLE_VALUE && GetLastError() == 0, "CreateFileA OPEN_ALWAYS of a new file: last error %u, expected 0",
     static_cast<unsigned>(GetLastError()));
  CloseHandle(h);
  SetLastError(0xdead);
  h = Open(InScratch("NEW.txt"), GENERIC_WRITE, 0, CREATE_ALWAYS);
  ok(h != INVALID_HANDLE_VALUE && GetLastError() == ERROR_ALREADY_EXISTS,
     "CreateFileA CREATE_ALWAYS of an existing file: last error %u, expected 183", static_cast<unsigned>(GetLastError()));
  CloseHandle(h);
  ok(DeleteFileA(InScratch("new.TXT").c_str()), "DeleteFileA through another case failed with %u",
     static_cast<unsigned>(GetLastError()));
}

void CheckShareModes() {
  std::string data = InScratch("Data.TXT");
  HANDLE reader = Open(data, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ok(reader != INVALID_HANDLE_VALUE, "opening for reading failed with %u", static_cast<unsigned>(GetLastError()));
  ok_fails(Open(data, GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING) == INVALID_HANDLE_VALUE, ERROR_SHARING_VIOLATION,
           "writing a file open for reading that shares only reading");
  HANDLE second = Open(data, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  ok(second != INVALID_HANDLE_VALUE, "a second reader sharing reading failed with %u",
     static_cast<unsigned>(GetLastError()));
  CloseHandle(second);
  ok_fails(Open(data, GENERIC_READ, 0, OPEN_EXISTING) == INVALID_HANDLE_VALUE, ERROR_SHARING_VIOLATION,
           "a reader that shares nothing while another reads");
  ok_fails(!DeleteFileA(data.c_str()), ERROR_SHARING_VIOLATION, "DeleteFileA of a file open without delete sharing");
  DWORD got = 0;
  ok_fails(!WriteFile(reader, "x", 1, &got, nullptr), ERROR_ACCESS_DENIED, "WriteFile on a handle opened for reading");
  char buffer[16] = {};
  ok(ReadFile(reader, buffer, sizeof buffer, &got, nullptr) && got == 6 && std::string(buffer, got) == "hello!",
     "ReadFile gave %u bytes '%s', expected 6 bytes 'hello!'", static_cast<unsigned>(got), buffer);
  ok(ReadFile(reader, buffer, sizeof buffer, &got, nullptr) && got == 0,
     "ReadFile at the end gave %u bytes, expected success with 0", static_cast<unsigned>(got));
  CloseHandle(reader);
  ok_fails(!CloseHandle(reader), ERROR_INVALID_HANDLE, "CloseHandle of a closed handle");
}

// What one handle wrote is there for every other look at the file before that handle closes.
void CheckWritesSeenAtOnce() {
  std::string name = InScratch("growing.txt");
  HANDLE writer = Open(name, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
  DWORD n = 0;
  WriteFile(writer, "ab", 2, &n, nullptr);
  WriteFile(writer, "c", 1, &n, nullptr);
  HANDLE reader = Open(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
  char buffer[8] = {};
  ok(reader != INVALID_HANDLE_VALUE && ReadFile(reader, buffer, sizeof buffer, &n, nullptr) && n == 3 &&
         std::string(buffer, n) == "abc",
     "another handle read %u bytes '%s' of a file being written, expected 'abc'", static_cast<unsigned>(n), buffer);
  ok(GetFileSize(reader, nullptr) == 3, "another handle's size %u, expected 3",
     static_cast<unsigned>(GetFileSize(reader, nullptr)));
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(name.c_str(), &found);
  ok(find != INVALID_HANDLE_VALUE && found.nFileSizeLow == 3, "FindFirstFileA gave the size %u, expected 3",
     static_cast<unsigned>(found.nFileSizeLow));
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  CloseHandle(reader);
  CloseHandle(writer);
  ok(DeleteFileA(name.c_str()), "DeleteFileA failed with %u", static_cast<unsigned>(GetLastError()));
  ok_fails(GetFileAttributesA(InScratch("Data.TXT\\x").c_str()) == INVALID_FILE_ATTRIBUTES, ERROR_PATH_NOT_FOUND,
           "GetFileAttributesA of a path through a file");
}

void CheckCopyAndReadOnly() {
  std::string data = InScratch("Data.TXT");
  std::string copy = InScratch("copy.txt");
  ok(CopyFileA(data.c_str(), copy.c_str(), TRUE), "CopyFileA to a new name failed with %u",
     static_cast<unsigned>(GetLastError()));
  ok(ReadBytes(copy) == "hello!", "the copy holds '%s', expected 'hello!'", ReadBytes(copy).c_str());
  ok_fails(!CopyFileA(data.c_str(), InScratch("COPY.TXT").c_str(), TRUE), ERROR_FILE_EXISTS,
           "CopyFileA fail-if-exists onto an existing file");
  WriteBytes(copy, "old");
  ok(CopyFileA(data.c_str(), copy.c_str(), FALSE) && ReadBytes(copy) == "hello!",
     "CopyFileA over an existing file left '%s', expected 'hello!'", ReadBytes(copy).c_str());
  ok_fails(!CopyFileA(InScratch("missing.txt").c_str(), copy.c_str(), FALSE), ERROR_FILE_NOT_FOUND,
           "CopyFileA of a missing file");
  ok_fails(!CopyFileA(copy.c_str(), InScratch("COPY.txt").c_str(), FALSE), ERROR_SHARING_VIOLATION,
           "CopyFileA of a file onto itself");
  ok(ReadBytes(copy) == "hello!", "copying a file onto itself left '%s', expected 'hello!'", ReadBytes(copy).c_str());

  ok(SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_READONLY), "SetFileAttributesA failed with %u",
     static_cast<unsigned>(GetLastError()));
  ok(GetFileAttributesA(copy.c_str()) & FILE_ATTRIBUTE_READONLY, "attributes 0x%x, expected read-only",
     static_cast<unsigned>(GetFileAttributesA(copy.c_str())));
  ok_fails(!DeleteFileA(copy.c_str()), ERROR_ACCESS_DENIED, "DeleteFileA of a read-only file");
  todo_wine_if(WineAsRoot(), kRootWrites) {
    HANDLE h = Open(copy, GENERIC_WRITE, 0, OPEN_EXISTING);
    ok_fails(h == INVALID_HANDLE_VALUE, ERROR_ACCESS_DENIED, "opening a read-only file for writing");
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    ok_fails(!CopyFileA(data.c_str(), copy.c_str(), FALSE), ERROR_ACCESS_DENIED, "CopyFileA onto a read-only file");
  }
  // Told not to overwrite, CopyFileA answers that the target exists before asking whether it could.
  ok_fails(!CopyFileA(data.c_str(), copy.c_str(), TRUE), ERROR_FILE_EXISTS, "CopyFileA without overwriting onto a read-only file");
  std::string copyOfReadOnly = InScratch("copy2.txt");
  ok(CopyFileA(copy.c_str(), copyOfReadOnly.c_str(), TRUE) &&
         (GetFileAttributesA(copyOfReadOnly.c_str()) & FILE_ATTRIBUTE_READONLY),
     "the copy of a read-only file has attributes 0x%x, expected read-only",
     static_cast<unsigned>(GetFileAttributesA(copyOfReadOnly.c_str())));
  for (const std::string& name : {copy, copyOfReadOnly}) {
    SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    ok(DeleteFileA(name.c_str()), "DeleteFileA after clearing read-only failed with %u",
       static_cast<unsigned>(GetLastError()));
  }
  ok_fails(!DeleteFileA(copy.c_str()), ERROR_FILE_NOT_FOUND, "DeleteFileA of a deleted file");
  ok_fails(!DeleteFileA("C:\\conformance\\nodir\\x.txt"), ERROR_PATH_NOT_FOUND, "DeleteFileA in a missing folder");
  ok_fails(!SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL), ERROR_FILE_NOT_FOUND,
           "SetFileAttributesA of a missing file");
}

void CheckDirectories() {
  std::string sub = InScratch("Sub");
  ok(CreateDirectoryA(sub.c_str(), nullptr), "CreateDirectoryA failed with %u", static_cast<unsigned>(GetLastError()));
  WriteBytes(InScratch("Sub\\inner.txt"), "x");
  ok_fails(!RemoveDirectoryA(InScratch("SUB").c_str()), ERROR_DIR_NOT_EMPTY, "RemoveDirectoryA of a folder with a file");
  ok_fails(!RemoveDirectoryA(InScratch("Data.TXT").c_str()), ERROR_DIRECTORY, "RemoveDirectoryA of a file");
  ok_fails(!RemoveDirectoryA(InScratch("missing").c_str()), ERROR_FILE_NOT_FOUND, "RemoveDirectoryA of a missing folder");
  ok_fails(!DeleteFileA(sub.c_str()), ERROR_ACCESS_DENIED, "DeleteFileA of a folder");
  DeleteFileA(InScratch("Sub\\inner.txt").c_str());
  ok(RemoveDirectoryA(InScratch("sub").c_str()), "RemoveDirectoryA of the emptied folder failed with %u",
     static_cast<unsigned>(GetLastError()));

  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, before);
  ok(SetCurrentDirectoryA(kScratch), "SetCurrentDirectoryA failed with %u", static_cast<unsigned>(GetLastError()));
  char current[MAX_PATH] = {};
  DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
  ok(length == static_cast<DWORD>(lstrlenA(kScratch)) && lstrcmpiA(current, kScratch) == 0, "GetCurrentDirectoryA gave %u '%s', expected %s",
     static_cast<unsigned>(length), current, kScratch);
  char tiny[4] = {};
  length = GetCurrentDirectoryA(sizeof tiny, tiny);
  ok(length == static_cast<DWORD>(lstrlenA(kScratch) + 1), "GetCurrentDirectoryA into 4 bytes gave %u, expected %d",
     static_cast<unsigned>(length), lstrlenA(kScratch) + 1);
  ok(WriteBytes("relative.txt", "r") && ReadBytes(InScratch("relative.txt")) == "r",
     "a relative name did not land in the current folder");
  DeleteFileA("relative.txt");
  ok_fails(!SetCurrentDirectoryA("C:\\conformance\\missing"), ERROR_FILE_NOT_FOUND,
           "SetCurrentDirectoryA of a missing folder");
  SetCurrentDirectoryA(before);

  char windows[MAX_PATH] = {};
  char system[MAX_PATH] = {};
  UINT wl = GetWindowsDirectoryA(windows, MAX_PATH);
  UINT sl = GetSystemDirectoryA(system, MAX_PATH);
  ok(wl == static_cast<UINT>(lstrlenA(windows)) && lstrcmpiA(windows, "C:\\WINDOWS") == 0,
     "GetWindowsDirectoryA gave %u '%s', expected C:\\WINDOWS", wl, windows);
  ok(sl == static_cast<UINT>(lstrlenA(system)) && lstrcmpiA(system, (std::string(windows) + "\\system32").c_str()) == 0,
     "GetSystemDirectoryA gave %u '%s', expected the Windows folder's system32", sl, system);
  ok(GetSystemDirectoryA(tiny, sizeof tiny) == sl + 1, "GetSystemDirectoryA into 4 bytes gave %u, expected %u",
     GetSystemDirectoryA(tiny, sizeof tiny), sl + 1);
}

void CheckStrings() {
  char buffer[8] = {};
  lstrcpynA(buffer, "abcdef", 4);
  ok(std::string(buffer) == "abc", "lstrcpynA with 4 gave '%s', expected 'abc'", buffer);
  ok(lstrcmpiA("Printer", "PRINTER") == 0, "lstrcmpiA ignores case");
  ok(lstrcmpiA("a", "B") < 0 && lstrcmpiA("B", "a") > 0, "lstrcmpiA orders without case");
  ok(lstrlenA(nullptr) == 0, "lstrlenA(NULL) gave %d, expected 0", lstrlenA(nullptr));
  char module[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
  ok(length > 4 && lstrcmpiA(module + length - 4, ".exe") == 0 && module[1] == ':',
     "GetModuleFileNameA gave '%s', expected a full path of an .exe", module);
}

}  // namespace

void CheckFiles() {
  CheckCreateAndCase();
  CheckShareModes();
  CheckWritesSeenAtOnce();
  CheckCopyAndReadOnly();
  CheckDirectories();
  CheckStrings();
  ok(DeleteFileA(InScratch("data.txt").c_str()), "DeleteFileA of Data.TXT failed with %u", static_cast<unsigned>(GetLastError()));
}

}  // namespace conformance
