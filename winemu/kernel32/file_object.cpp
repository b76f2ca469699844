#include "file_object.h"

#include <unistd.h>
#include <winemu/winbase.h>
#include <winemu/winerror.h>

#include "machine/codepage.h"

namespace winemu {

FileObject::FileObject(int fd_, ResolvedPath path_, std::uint32_t access_, std::uint32_t share_)
    : fd(fd_), path(std::move(path_)), access(access_), share(share_), machine_(M()) {
  machine_.State<OpenFiles>().files.insert(this);
}

namespace {
constexpr size_t kWriteBehind = 64 * 1024;
}  // namespace

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

FileObject::~FileObject() {
  Flush();
  machine_.State<OpenFiles>().files.erase(this);
  ::close(fd);
}

bool FileObject::Write(const char* data, size_t size) {
  if (failed_) {  // what an earlier write left behind did not reach the host
    failed_ = false;
    return false;
  }
  if (pending_.size() + size < kWriteBehind) {
    pending_.append(data, size);
    return true;
  }
  bool ok = Flush() && WriteAll(fd, data, size);
  failed_ = false;
  return ok;
}

bool FileObject::Flush() {
  if (pending_.empty()) return true;
  bool ok = WriteAll(fd, pending_.data(), pending_.size());
  pending_.clear();
  if (!ok) failed_ = true;
  return ok;
}

OpenFiles::OpenFiles(Machine& machine) {
  machine.OnHostAccess([this] { FlushAll(); });
}

void OpenFiles::FlushAll() {
  for (FileObject* f : files) f->Flush();
}

std::uint32_t SharingError(const std::filesystem::path& host, std::uint32_t access, std::uint32_t share) {
  bool wantRead = access & (GENERIC_READ | GENERIC_ALL);
  bool wantWrite = access & (GENERIC_WRITE | GENERIC_ALL);
  for (const FileObject* f : M().State<OpenFiles>().files) {
    if (f->path.host != host) continue;
    bool hasRead = f->access & (GENERIC_READ | GENERIC_ALL);
    bool hasWrite = f->access & (GENERIC_WRITE | GENERIC_ALL);
    if ((wantRead && !(f->share & FILE_SHARE_READ)) || (wantWrite && !(f->share & FILE_SHARE_WRITE)) ||
        (hasRead && !(share & FILE_SHARE_READ)) || (hasWrite && !(share & FILE_SHARE_WRITE)))
      return ERROR_SHARING_VIOLATION;
  }
  return 0;
}

std::uint32_t DeleteSharingError(const std::filesystem::path& host) {
  for (const FileObject* f : M().State<OpenFiles>().files)
    if (f->path.host == host && !(f->share & FILE_SHARE_DELETE)) return ERROR_SHARING_VIOLATION;
  return 0;
}

std::uint32_t WriteProtectionError(const std::string& windowsPath) {
  const MachineConfig& c = M().Config();
  std::string programDir = DirectoryOf(c.program, c.codePage);
  if (c.HasFault("readonly_program_dir") && IsInside(windowsPath, programDir)) return ERROR_ACCESS_DENIED;
  if (auto dir = c.FaultValue("readonly_dir"); dir && !dir->empty() && IsInside(windowsPath, *dir))
    return ERROR_ACCESS_DENIED;
  if (!c.admin && IsInside(windowsPath, c.windowsDir)) return ERROR_ACCESS_DENIED;
  return 0;
}

std::uint32_t DiskSpaceError(std::uint64_t bytes) {
  auto limit = M().Config().FaultNumber("disk_full", 0);
  if (!limit) return 0;
  std::uint64_t used = M().State<OpenFiles>().bytesWritten;
  return used + bytes > static_cast<std::uint64_t>(*limit) ? ERROR_DISK_FULL : 0;
}

std::string TracePath(const std::string& windowsPath) { return AnsiToUtf8(windowsPath, M().Config().codePage); }

}  // namespace winemu
