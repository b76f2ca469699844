// Open files: the kernel object behind a file handle, the table of open files for sharing rules,
// and the write-protection rules of the machine (faults, rights).
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "machine/paths.h"
#include "handles.h"

namespace winemu {

// Writes are collected and handed to the host in larger pieces: before anything else is done with
// the file (through any handle or path), when enough has gathered, and when the handle closes.
class FileObject : public KernelObject {
 public:
  FileObject(int fd, ResolvedPath path, std::uint32_t access, std::uint32_t share);
  ~FileObject() override;
  // Writes `size` bytes at the file position, a small piece kept for later; false when these or
  // earlier kept bytes could not be written to the host.
  bool Write(const char* data, size_t size);
  // Writes what is kept; false when the host refused it (then it is dropped).
  bool Flush();
  int fd;
  ResolvedPath path;
  std::uint32_t access;
  std::uint32_t share;

 private:
  Machine& machine_;  // the one it was opened on, which may no longer be current when it closes
  std::string pending_;
  bool failed_ = false;  // a write to the host failed since the last Write
};

class OpenFiles {
 public:
  explicit OpenFiles(Machine& machine);
  void FlushAll();
  std::set<FileObject*> files;
  std::uint64_t bytesWritten = 0;  // by this process, for the disk-full fault
};

// Writes all of `data` to the host file `fd`; false when the host refuses.
bool WriteAll(int fd, const char* data, size_t size);

// 0 when a new open with `access` and `share` is compatible with every open of the same file.
std::uint32_t SharingError(const std::filesystem::path& host, std::uint32_t access, std::uint32_t share);
// 0 when the file may be deleted now (no open without delete sharing).
std::uint32_t DeleteSharingError(const std::filesystem::path& host);
// 0 when the process may create, change or delete `windowsPath`: ERROR_ACCESS_DENIED inside a
// read-only program directory (fault readonly_program_dir) or folder (readonly_dir=PATH) and, for a
// user without administrator rights, inside the Windows directory.
std::uint32_t WriteProtectionError(const std::string& windowsPath);
// 0 when `bytes` more may be written to the file `windowsPath`: fault disk_full=N allows the
// process N bytes in all (default 0); disk_full=N@FOLDER makes FOLDER a volume of N bytes, which
// the files below it fill.
std::uint32_t DiskSpaceError(const std::string& windowsPath, std::uint64_t bytes);

std::string TracePath(const std::string& windowsPath);  // the path as UTF-8 for the trace

}  // namespace winemu
