// GetPrivateProfileStringA and WritePrivateProfileStringA over the machine's files.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <map>
#include <string>
#include <windows.h>

#include "buffers.h"
#include "file_object.h"
#include "machine/ini.h"

using namespace winemu;

namespace {

// A name without a directory lives in the Windows directory, as on Windows; no name is win.ini.
std::string ProfilePath(LPCSTR fileName) {
  std::string name(fileName ? fileName : "win.ini");
  if (name.find('\\') == std::string::npos && name.find('/') == std::string::npos && name.find(':') == std::string::npos)
    return M().Config().windowsDir + "\\" + name;
  return name;
}

bool ReadHostFile(const std::filesystem::path& host, std::string& out) {
  int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buf[65536];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
  ::close(fd);
  return true;
}

// The text of the files read by the profile functions, kept while nothing on drive C: changes: a
// program reads its strings one by one.
class ProfileTexts {
 public:
  explicit ProfileTexts(Machine&) {}
  bool Read(const std::filesystem::path& host, std::string& out) {
    std::uint64_t now = M().driveChanges;
    if (now != readAt_) texts_.clear();
    readAt_ = now;
    auto it = texts_.find(host.string());
    if (it == texts_.end()) {
      std::string text;
      if (!ReadHostFile(host, text)) return false;
      it = texts_.emplace(host.string(), std::move(text)).first;
    }
    out = it->second;
    return true;
  }

 private:
  std::uint64_t readAt_ = 0;
  std::map<std::string, std::string> texts_;
};

// Names separated by NULs and ended by a double NUL, cut to the buffer as Windows cuts them.
DWORD CopyNameList(const std::vector<std::string>& names, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  DWORD pos = 0;
  for (const std::string& n : names) {
    for (char c : n) {
      if (pos + 2 >= size) {
        buffer[pos] = '\0';
        buffer[pos + 1] = '\0';
        return size - 2;
      }
      buffer[pos++] = c;
    }
    if (pos + 2 >= size) {
      buffer[pos] = '\0';
      buffer[pos + 1] = '\0';
      return size - 2;
    }
    buffer[pos++] = '\0';
  }
  buffer[pos] = '\0';
  return pos;
}

}  // namespace

DWORD WINAPI GetPrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString,
                                      DWORD nSize, LPCSTR lpFileName) {
  std::string fallback(TrimBlanks(lpDefault ? lpDefault : ""));
  std::string text;
  ResolvedPath p;
  // The file is read as Windows opens it: for reading, sharing reading and writing.
  bool readable = !(lpFileName && !*lpFileName) && ResolvePath(ProfilePath(lpFileName), p) == 0 && p.exists &&
                  !p.directory && !SharingError(p.host, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE) &&
                  M().State<ProfileTexts>().Read(p.host, text);
  IniDocument ini = IniDocument::Parse(readable ? text : "");
  if (!lpAppName) return CopyNameList(ini.Sections(), lpReturnedString, nSize);
  if (!lpKeyName) return CopyNameList(ini.Keys(lpAppName), lpReturnedString, nSize);
  auto value = ini.Get(lpAppName, lpKeyName);
  SetError(value ? 0 : ERROR_FILE_NOT_FOUND);
  return CopyTruncated(value ? *value : fallback, lpReturnedString, nSize);
}

// The text's leading number as RtlUnicodeStringToInteger reads it with base 0: a sign, then "0x",
// "0o" or "0b" for base 16, 8 or 2, else decimal digits, taken modulo 2^32; a list of sections or
// keys gives its first name's.
UINT WINAPI GetPrivateProfileIntA(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName) {
  char buf[32];
  if (!GetPrivateProfileStringA(lpAppName, lpKeyName, "", buf, sizeof buf, lpFileName)) return static_cast<UINT>(nDefault);
  const char* c = buf;
  bool negative = *c == '-';
  if (*c == '-' || *c == '+') ++c;
  UINT base = 10;
  if (c[0] == '0' && (c[1] == 'x' || c[1] == 'X')) base = 16;
  else if (c[0] == '0' && (c[1] == 'o' || c[1] == 'O')) base = 8;
  else if (c[0] == '0' && (c[1] == 'b' || c[1] == 'B')) base = 2;
  if (base != 10) c += 2;
  UINT n = 0;
  for (;; ++c) {
    char lower = static_cast<char>(*c | 0x20);
    UINT digit = *c >= '0' && *c <= '9' ? static_cast<UINT>(*c - '0') : lower >= 'a' && lower <= 'f' ? static_cast<UINT>(lower - 'a' + 10) : 99;
    if (digit >= base) break;
    n = n * base + digit;
  }
  return negative ? 0u - n : n;
}

BOOL WINAPI WritePrivateProfileStringA(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName) {
  if (!lpAppName) {
    // With nothing else given the call only flushes the cache, which this emulation does not keep.
    if (!lpKeyName && !lpString) return TRUE;
    Trace("profile.write", "(no section) -> error 2");
    return SetError(ERROR_FILE_NOT_FOUND), FALSE;
  }
  if (lpFileName && !*lpFileName) {
    Trace("profile.write", std::string("(empty file name) [") + lpAppName + "] -> error 5");
    return SetError(ERROR_ACCESS_DENIED), FALSE;
  }
  ResolvedPath p;
  std::string detail = TracePath(ProfilePath(lpFileName)) + " [" + lpAppName + "] " + (lpKeyName ? lpKeyName : "(section)");
  DWORD err = ResolvePath(ProfilePath(lpFileName), p);
  std::string text;
  if (!err && !p.parentExists) err = ERROR_PATH_NOT_FOUND;
  if (!err && p.exists && p.directory) err = ERROR_ACCESS_DENIED;
  if (!err) err = WriteProtectionError(p.windows);
  if (!err && p.exists) err = SharingError(p.host, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  if (!err && p.exists && !ReadHostFile(p.host, text)) err = ERROR_ACCESS_DENIED;
  if (!err) {
    IniDocument ini = IniDocument::Parse(text);
    if (!lpKeyName) ini.RemoveSection(lpAppName);
    else if (!lpString) ini.RemoveKey(lpAppName, lpKeyName);
    else ini.Set(lpAppName, lpKeyName, lpString);
    std::string out = ini.Serialize();
    std::uint64_t growth = out.size() > text.size() ? out.size() - text.size() : 0;
    err = DiskSpaceError(p.windows, growth);
    if (!err) {
      int fd = ::open(p.host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (!p.exists && fd >= 0) NoteMade(p.host, false);
      ++M().driveChanges;
      if (fd < 0 || ::write(fd, out.data(), out.size()) != static_cast<ssize_t>(out.size())) err = ERROR_ACCESS_DENIED;
      if (fd >= 0) ::close(fd);
      M().State<OpenFiles>().bytesWritten += growth;
    }
  }
  TraceResult("profile.write", detail + (lpString ? std::string("=") + lpString : ""), err);
  SetError(err);
  return err ? FALSE : TRUE;
}
