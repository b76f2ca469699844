// Directories: create, remove, current directory, and the find functions.
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <vector>
#include <windows.h>

#include "file_object.h"
#include "file_security.h"
#include "junctions.h"
#include "machine/ini.h"
#include "security_descriptor.h"

using namespace winemu;

namespace {

class FindObject : public KernelObject {
 public:
  std::vector<WIN32_FIND_DATAA> entries;
  size_t next = 0;
};

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

WIN32_FIND_DATAA MakeFindData(const std::string& ansiName, const std::filesystem::path& host) {
  WIN32_FIND_DATAA d;
  std::memset(&d, 0, sizeof d);
  std::error_code ec;
  bool dir = std::filesystem::is_directory(host, ec);
  struct stat st {};
  ::stat(host.c_str(), &st);
  d.dwFileAttributes = dir ? FILE_ATTRIBUTE_DIRECTORY | (IsJunction(host) ? FILE_ATTRIBUTE_REPARSE_POINT : 0)
                           : (FILE_ATTRIBUTE_ARCHIVE | ((st.st_mode & S_IWUSR) ? 0 : FILE_ATTRIBUTE_READONLY));
  if (!dir) {
    d.nFileSizeLow = static_cast<DWORD>(st.st_size);
    d.nFileSizeHigh = static_cast<DWORD>(static_cast<std::uint64_t>(st.st_size) >> 32);
  }
  std::snprintf(d.cFileName, sizeof d.cFileName, "%s", ansiName.c_str());
  return d;
}

bool Fill(FindObject* f, LPWIN32_FIND_DATAA out) {
  if (f->next >= f->entries.size()) return false;
  *out = f->entries[f->next++];
  return true;
}

}  // namespace

BOOL WINAPI CreateDirectoryA(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes) {
  ResolvedPath p;
  DWORD err = ResolvePath(lpPathName ? lpPathName : "", p);
  std::optional<FileSecurity> given;
  if (!err && lpSecurityAttributes && lpSecurityAttributes->lpSecurityDescriptor) {
    given = DescriptorSecurity(lpSecurityAttributes->lpSecurityDescriptor);
    if (!given) err = ERROR_INVALID_SECURITY_DESCR;
  }
  if (!err) {
    if (p.exists) err = ERROR_ALREADY_EXISTS;
    else if (!p.parentExists) err = ERROR_PATH_NOT_FOUND;
    else if (WriteProtectionError(p.windows)) err = ERROR_ACCESS_DENIED;
    else if (DWORD a = CreateAccessError(p.windows, true)) err = a;
    else if (::mkdir(p.host.c_str(), 0755) != 0) err = ERROR_ACCESS_DENIED;
    else {
      NoteMade(p.host, true);
      M().State<SecurityStore>().Made(p.windows, true, given ? &*given : nullptr);
    }
  }
  TraceResult("dir.create", TracePath(p.windows.empty() ? (lpPathName ? lpPathName : "") : p.windows), err);
  SetError(err);
  return err ? FALSE : TRUE;
}

BOOL WINAPI RemoveDirectoryA(LPCSTR lpPathName) {
  ResolvedPath p;
  DWORD err = ResolvePath(lpPathName ? lpPathName : "", p);
  if (!err) {
    std::error_code ec;
    bool junction = IsJunction(p.host);  // the link goes, whatever its target holds
    if (!p.parentExists) err = ERROR_PATH_NOT_FOUND;
    else if (!p.exists) err = ERROR_FILE_NOT_FOUND;
    else if (!p.directory) err = ERROR_DIRECTORY;
    else if (!junction && !std::filesystem::is_empty(p.host, ec)) err = ERROR_DIR_NOT_EMPTY;
    else if (IsInside(M().currentDirectory, p.windows)) err = ERROR_SHARING_VIOLATION;
    else if (WriteProtectionError(p.windows) || DeleteAccessError(p.windows)) err = ERROR_ACCESS_DENIED;
    else if ((junction ? ::unlink(p.host.c_str()) : ::rmdir(p.host.c_str())) != 0) err = ERROR_ACCESS_DENIED;
    else {
      NoteRemoved(p.host);
      M().State<SecurityStore>().Removed(p.windows);
    }
  }
  TraceResult("dir.remove", TracePath(p.windows.empty() ? (lpPathName ? lpPathName : "") : p.windows), err);
  SetError(err);
  return err ? FALSE : TRUE;
}

BOOL WINAPI SetCurrentDirectoryA(LPCSTR lpPathName) {
  ResolvedPath p;
  DWORD err = ResolvePath(lpPathName ? lpPathName : "", p);
  if (!err) {
    if (!p.parentExists) err = ERROR_PATH_NOT_FOUND;
    else if (!p.exists) err = ERROR_FILE_NOT_FOUND;
    else if (!p.directory) err = ERROR_DIRECTORY;
  }
  if (!err) M().currentDirectory = p.windows;
  TraceResult("dir.current", TracePath(p.windows.empty() ? (lpPathName ? lpPathName : "") : p.windows), err);
  SetError(err);
  return err ? FALSE : TRUE;
}

DWORD WINAPI GetCurrentDirectoryA(DWORD nBufferLength, LPSTR lpBuffer) {
  const std::string& cwd = M().currentDirectory;
  if (!lpBuffer || nBufferLength <= cwd.size()) return static_cast<DWORD>(cwd.size() + 1);
  std::memcpy(lpBuffer, cwd.c_str(), cwd.size() + 1);
  return static_cast<DWORD>(cwd.size());
}

HANDLE WINAPI FindFirstFileA(LPCSTR lpFileName, LPWIN32_FIND_DATAA lpFindFileData) {
  ResolvedPath p;
  if (DWORD err = ResolvePath(lpFileName ? lpFileName : "", p, true)) return SetError(err), INVALID_HANDLE_VALUE;
  size_t slash = p.windows.rfind('\\');
  std::string pattern = p.windows.substr(slash + 1);
  std::filesystem::path dir = p.host.parent_path();
  std::error_code ec;
  if (!p.parentExists || !std::filesystem::is_directory(dir, ec)) return SetError(ERROR_PATH_NOT_FOUND), INVALID_HANDLE_VALUE;
  auto find = std::make_unique<FindObject>();
  bool root = slash == 2;
  if (!root) {
    for (const char* dot : {".", ".."})
      if (WildcardMatch(pattern, dot)) find->entries.push_back(MakeFindData(dot, dir));
  }
  std::vector<std::pair<std::string, std::filesystem::path>> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    std::string ansi = HostNameToAnsi(entry.path().filename().string());
    if (WildcardMatch(pattern, ansi)) names.emplace_back(ansi, entry.path());
  }
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return Upper(a.first) < Upper(b.first); });
  for (const auto& [ansi, host] : names) find->entries.push_back(MakeFindData(ansi, host));
  if (find->entries.empty()) return SetError(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
  FindObject* raw = find.get();
  HANDLE h = Handles().Add(std::move(find));
  Fill(raw, lpFindFileData);
  SetError(0);
  return h;
}

BOOL WINAPI FindNextFileA(HANDLE hFindFile, LPWIN32_FIND_DATAA lpFindFileData) {
  FindObject* f = Handles().Get<FindObject>(hFindFile);
  if (!f) return SetError(ERROR_INVALID_HANDLE), FALSE;
  if (!Fill(f, lpFindFileData)) return SetError(ERROR_NO_MORE_FILES), FALSE;
  SetError(0);
  return TRUE;
}

BOOL WINAPI FindClose(HANDLE hFindFile) {
  if (!Handles().Get<FindObject>(hFindFile)) return SetError(ERROR_INVALID_HANDLE), FALSE;
  Handles().Close(hFindFile);
  SetError(0);
  return TRUE;
}
