// Open files: the kernel object behind a file handle, the table of open files for sharing rules,
// and the write-protection rules of the machine (faults, rights).
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "machine/paths.h"
#include "handles.h"

namespace winemu {

class FileObject : public KernelObject {
 public:
  FileObject(int fd, ResolvedPath path, std::uint32_t access, std::uint32_t share);
  ~FileObject() override;
  int fd;
  ResolvedPath path;
  std::uint32_t access;
  std::uint32_t share;

 private:
  Machine& machine_;  // the one it was opened on, which may no longer be current when it closes
};

class OpenFiles {
 public:
  explicit OpenFiles(Machine&) {}
  std::set<FileObject*> files;
  std::uint64_t bytesWritten = 0;  // by this process, for the disk-full fault
};

// 0 when a new open with `access` and `share` is compatible with every open of the same file.
std::uint32_t SharingError(const std::filesystem::path& host, std::uint32_t access, std::uint32_t share);
// 0 when the file may be deleted now (no open without delete sharing).
std::uint32_t DeleteSharingError(const std::filesystem::path& host);
// 0 when the process may create, change or delete `windowsPath`: ERROR_ACCESS_DENIED inside a
// read-only program directory (fault readonly_program_dir) and, for a user without administrator
// rights, inside the Windows directory.
std::uint32_t WriteProtectionError(const std::string& windowsPath);
// 0 when `bytes` more may be written (fault disk_full=N allows N bytes in all, default 0).
std::uint32_t DiskSpaceError(std::uint64_t bytes);

std::string TracePath(const std::string& windowsPath);  // the path as UTF-8 for the trace

}  // namespace winemu
