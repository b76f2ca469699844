// CreateFileA, ReadFile, WriteFile, DeleteFileA, CopyFileA and file attributes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <windows.h>

#include "file_object.h"
#include "file_security.h"
#include "junctions.h"
#include "machine/ini.h"
#include "security_descriptor.h"

using namespace winemu;

namespace {

bool IsReadOnly(const std::filesystem::path& host) {
  struct stat st {};
  return ::stat(host.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR);
}

void SetReadOnly(const std::filesystem::path& host, bool readOnly) {
  struct stat st {};
  if (::stat(host.c_str(), &st) != 0) return;
  mode_t mode = readOnly ? (st.st_mode & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH)) : (st.st_mode | S_IWUSR);
  if (mode != st.st_mode) ::chmod(host.c_str(), mode);
}

// The running program's own file is mapped as its image: Windows refuses to delete it.
bool IsRunningImage(const std::string& windowsPath) {
  std::string image;
  const MachineConfig& c = M().Config();
  return NormalizePath(c.program, "C:\\", image, false, c.codePage) == 0 && EqualsNoCase(image, windowsPath);
}

// Copies the rest of `in` to `out`.
bool CopyBytes(int in, int out) {
  char buf[65536];
  ssize_t n;
  while ((n = ::read(in, buf, sizeof buf)) > 0)
    if (!WriteAll(out, buf, static_cast<size_t>(n))) return false;
  return n == 0;
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD dwShareMode,
                          LPSECURITY_ATTRIBUTES lpSecurityAttributes, DWORD dwCreationDisposition,
                          DWORD dwFlagsAndAttributes, HANDLE) {
  if (!lpFileName) {
    SetError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  ResolvedPath p;
  if (DWORD err = ResolvePath(lpFileName, p)) {
    SetError(err);
    return INVALID_HANDLE_VALUE;
  }
  bool writing = dwDesiredAccess & (GENERIC_WRITE | GENERIC_ALL);
  bool creates = dwCreationDisposition == CREATE_NEW || dwCreationDisposition == CREATE_ALWAYS ||
                 dwCreationDisposition == OPEN_ALWAYS;
  const char* kind = creates ? "file.create" : (writing ? "file.open" : nullptr);
  auto fail = [&](DWORD err) {
    if (kind) TraceResult(kind, TracePath(p.windows), err);
    SetError(err);
    return INVALID_HANDLE_VALUE;
  };
  if (dwCreationDisposition < CREATE_NEW || dwCreationDisposition > TRUNCATE_EXISTING)
    return fail(ERROR_INVALID_PARAMETER);
  if (!p.parentExists) return fail(ERROR_PATH_NOT_FOUND);
  if (p.exists && p.directory) return fail(ERROR_ACCESS_DENIED);
  if (!p.exists && (dwCreationDisposition == OPEN_EXISTING || dwCreationDisposition == TRUNCATE_EXISTING))
    return fail(ERROR_FILE_NOT_FOUND);
  if (p.exists && dwCreationDisposition == CREATE_NEW) return fail(ERROR_FILE_EXISTS);
  if ((writing || (!p.exists && creates)) && WriteProtectionError(p.windows)) return fail(ERROR_ACCESS_DENIED);
  bool reading = dwDesiredAccess & (GENERIC_READ | GENERIC_ALL);
  bool truncate = p.exists && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING);
  if (DWORD err = p.exists ? AccessError(p.windows, (reading ? FILE_READ_DATA : 0) |
                                                        ((writing || truncate) ? FILE_WRITE_DATA : 0))
                           : CreateAccessError(p.windows, false))
    return fail(err);
  std::optional<FileSecurity> given;
  if (!p.exists && lpSecurityAttributes && lpSecurityAttributes->lpSecurityDescriptor) {
    given = DescriptorSecurity(lpSecurityAttributes->lpSecurityDescriptor);
    if (!given) return fail(ERROR_INVALID_SECURITY_DESCR);
  }
  if (p.exists && (writing || dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == TRUNCATE_EXISTING) &&
      IsReadOnly(p.host))
    return fail(ERROR_ACCESS_DENIED);
  if (p.exists)
    if (DWORD err = SharingError(p.host, dwDesiredAccess, dwShareMode)) return fail(err);

  int flags = O_CLOEXEC;
  flags |= (reading && writing) ? O_RDWR : (writing ? O_WRONLY : O_RDONLY);
  if (!p.exists) flags |= O_CREAT;
  if (truncate && !writing) flags = (flags & ~O_ACCMODE) | O_RDWR;
  if (truncate) flags |= O_TRUNC;
  int fd = ::open(p.host.c_str(), flags, 0644);
  if (fd < 0) return fail(ERROR_ACCESS_DENIED);
  if (!p.exists) {
    NoteMade(p.host, false);
    M().State<SecurityStore>().Made(p.windows, false, given ? &*given : nullptr);
  }
  if (truncate) ++M().driveChanges;
  if (!p.exists && (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY)) SetReadOnly(p.host, true);
  bool existed = p.exists;
  if (kind) TraceResult(kind, TracePath(p.windows), 0);
  HANDLE h = Handles().Add(std::make_unique<FileObject>(fd, p, dwDesiredAccess, dwShareMode));
  SetError(existed && (dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS)
               ? ERROR_ALREADY_EXISTS
               : 0);
  return h;
}

BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
                     LPOVERLAPPED) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  FileObject* f = Handles().Get<FileObject>(hFile);
  if (!f) return SetError(ERROR_INVALID_HANDLE), FALSE;
  if (!(f->access & (GENERIC_READ | GENERIC_ALL))) return SetError(ERROR_ACCESS_DENIED), FALSE;
  M().HostAccess();
  ssize_t n = ::read(f->fd, lpBuffer, nNumberOfBytesToRead);
  if (n < 0) return SetError(ERROR_INVALID_FUNCTION), FALSE;
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = static_cast<DWORD>(n);
  SetError(0);
  return TRUE;
}

BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite, LPDWORD lpNumberOfBytesWritten,
                      LPOVERLAPPED) {
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  FileObject* f = Handles().Get<FileObject>(hFile);
  if (!f) return SetError(ERROR_INVALID_HANDLE), FALSE;
  std::string detail = TracePath(f->path.windows) + " " + std::to_string(nNumberOfBytesToWrite);
  DWORD err = (f->access & (GENERIC_WRITE | GENERIC_ALL)) ? DiskSpaceError(f->path.windows, nNumberOfBytesToWrite) : ERROR_ACCESS_DENIED;
  if (!err && !f->Write(static_cast<const char*>(lpBuffer), nNumberOfBytesToWrite)) err = ERROR_DISK_FULL;
  TraceResult("file.write", detail, err);
  if (err) return SetError(err), FALSE;
  ++M().driveChanges;
  M().State<OpenFiles>().bytesWritten += nNumberOfBytesToWrite;
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = nNumberOfBytesToWrite;
  SetError(0);
  return TRUE;
}

DWORD WINAPI SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh, DWORD dwMoveMethod) {
  FileObject* f = Handles().Get<FileObject>(hFile);
  if (!f) return SetError(ERROR_INVALID_HANDLE), INVALID_SET_FILE_POINTER;
  off_t offset = lDistanceToMove;
  if (lpDistanceToMoveHigh) offset = static_cast<off_t>((static_cast<std::uint64_t>(*lpDistanceToMoveHigh) << 32) |
                                                         static_cast<std::uint32_t>(lDistanceToMove));
  M().HostAccess();
  int whence = dwMoveMethod == FILE_BEGIN ? SEEK_SET : dwMoveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END;
  off_t r = ::lseek(f->fd, offset, whence);
  if (r < 0) return SetError(ERROR_INVALID_PARAMETER), INVALID_SET_FILE_POINTER;
  if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(static_cast<std::uint64_t>(r) >> 32);
  SetError(0);
  return static_cast<DWORD>(r);
}

DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  FileObject* f = Handles().Get<FileObject>(hFile);
  if (!f) return SetError(ERROR_INVALID_HANDLE), 0xFFFFFFFF;
  M().HostAccess();
  struct stat st {};
  ::fstat(f->fd, &st);
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(static_cast<std::uint64_t>(st.st_size) >> 32);
  SetError(0);
  return static_cast<DWORD>(st.st_size);
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
  if (!Handles().Close(hObject)) return SetError(ERROR_INVALID_HANDLE), FALSE;
  SetError(0);
  return TRUE;
}

BOOL WINAPI DeleteFileA(LPCSTR lpFileName) {
  ResolvedPath p;
  if (DWORD err = ResolvePath(lpFileName ? lpFileName : "", p)) {
    TraceResult("file.delete", lpFileName ? TracePath(lpFileName) : "", err);
    return SetError(err), FALSE;
  }
  DWORD err = 0;
  if (!p.parentExists) err = ERROR_PATH_NOT_FOUND;
  else if (!p.exists) err = ERROR_FILE_NOT_FOUND;
  else if (p.directory || IsReadOnly(p.host) || WriteProtectionError(p.windows) ||
           IsRunningImage(p.windows) || DeleteAccessError(p.windows))
    err = ERROR_ACCESS_DENIED;
  else if (DWORD s = DeleteSharingError(p.host)) err = s;
  else if (::unlink(p.host.c_str()) != 0) err = ERROR_ACCESS_DENIED;
  else {
    NoteRemoved(p.host);
    M().State<SecurityStore>().Removed(p.windows);
  }
  TraceResult("file.delete", TracePath(p.windows), err);
  SetError(err);
  return err ? FALSE : TRUE;
}

BOOL WINAPI CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  ResolvedPath src, dst;
  DWORD err = ResolvePath(lpExistingFileName ? lpExistingFileName : "", src);
  if (!err) err = ResolvePath(lpNewFileName ? lpNewFileName : "", dst);
  std::string detail = TracePath(src.windows.empty() ? (lpExistingFileName ? lpExistingFileName : "") : src.windows) +
                       " " + TracePath(dst.windows.empty() ? (lpNewFileName ? lpNewFileName : "") : dst.windows);
  if (!err) {
    if (!src.parentExists) err = ERROR_PATH_NOT_FOUND;
    else if (!src.exists) err = ERROR_FILE_NOT_FOUND;
    else if (src.directory) err = ERROR_ACCESS_DENIED;
    else if (!dst.parentExists) err = ERROR_PATH_NOT_FOUND;
    else if (dst.exists && bFailIfExists) err = ERROR_FILE_EXISTS;
    else if (dst.exists && (dst.directory || IsReadOnly(dst.host))) err = ERROR_ACCESS_DENIED;
    else if (WriteProtectionError(dst.windows)) err = ERROR_ACCESS_DENIED;
    else if (DWORD a = AccessError(src.windows, FILE_READ_DATA)) err = a;
    else if (DWORD a2 = dst.exists ? AccessError(dst.windows, FILE_WRITE_DATA) : CreateAccessError(dst.windows, false))
      err = a2;
    else if (DWORD s = SharingError(src.host, GENERIC_READ, FILE_SHARE_READ)) err = s;
    else if (DWORD s2 = dst.exists ? SharingError(dst.host, GENERIC_WRITE, 0) : 0) err = s2;
    else if (dst.exists && dst.host == src.host) err = ERROR_SHARING_VIOLATION;  // the source is open for reading
  }
  int in = err ? -1 : ::open(src.host.c_str(), O_RDONLY | O_CLOEXEC);
  if (!err && in < 0) err = ERROR_ACCESS_DENIED;
  struct stat st {};
  if (!err && ::fstat(in, &st) != 0) err = ERROR_ACCESS_DENIED;
  std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
  if (!err) err = DiskSpaceError(dst.windows, size);
  if (!err) {
    // Written over, then cut to the source's length: on ext4 a file first cut to nothing is
    // flushed to the disk when it closes.
    int out = ::open(dst.host.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (!dst.exists && out >= 0) {
      NoteMade(dst.host, false);
      M().State<SecurityStore>().Made(dst.windows, false, nullptr);
    }
    if (out < 0 || !CopyBytes(in, out) || ::ftruncate(out, static_cast<off_t>(size)) != 0) err = ERROR_ACCESS_DENIED;
    ++M().driveChanges;
    if (out >= 0) ::close(out);
    if (!err) {
      M().State<OpenFiles>().bytesWritten += size;
      if (!(st.st_mode & S_IWUSR)) SetReadOnly(dst.host, true);  // the target was writable
    }
  }
  if (in >= 0) ::close(in);
  TraceResult("file.copy", detail, err);
  SetError(err);
  return err ? FALSE : TRUE;
}

DWORD WINAPI GetFileAttributesA(LPCSTR lpFileName) {
  ResolvedPath p;
  if (DWORD err = ResolvePath(lpFileName ? lpFileName : "", p)) return SetError(err), INVALID_FILE_ATTRIBUTES;
  if (!p.parentExists) return SetError(ERROR_PATH_NOT_FOUND), INVALID_FILE_ATTRIBUTES;
  if (!p.exists) return SetError(ERROR_FILE_NOT_FOUND), INVALID_FILE_ATTRIBUTES;
  SetError(0);
  if (p.directory) return FILE_ATTRIBUTE_DIRECTORY | (IsJunction(p.host) ? FILE_ATTRIBUTE_REPARSE_POINT : 0);
  return FILE_ATTRIBUTE_ARCHIVE | (IsReadOnly(p.host) ? FILE_ATTRIBUTE_READONLY : 0);
}

BOOL WINAPI SetFileAttributesA(LPCSTR lpFileName, DWORD dwFileAttributes) {
  ResolvedPath p;
  DWORD err = ResolvePath(lpFileName ? lpFileName : "", p);
  if (!err && !p.exists) err = p.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  if (!err) err = WriteProtectionError(p.windows);
  if (!err) err = AccessError(p.windows, FILE_WRITE_ATTRIBUTES);
  if (!err && !p.directory) SetReadOnly(p.host, dwFileAttributes & FILE_ATTRIBUTE_READONLY);
  TraceResult("file.attributes", TracePath(p.windows.empty() ? (lpFileName ? lpFileName : "") : p.windows) + " " +
                                     std::to_string(dwFileAttributes), err);
  SetError(err);
  return err ? FALSE : TRUE;
}
