#include "file_object.h"
#include "file_security.h"

#include <unistd.h>
#include <winemu/winbase.h>
#include <winemu/winerror.h>

#include <filesystem>
#include <optional>

#include "machine/codepage.h"
#include "machine/numbers.h"

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
  if (!CallerIsAdministrator() && IsInside(windowsPath, c.windowsDir)) return ERROR_ACCESS_DENIED;
  return 0;
}

namespace {

// What the files below the host directory `dir` hold, in bytes.
std::uint64_t BytesBelow(const std::filesystem::path& dir) {
  std::uint64_t total = 0;
  std::error_code ec;
  for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    if (it->is_regular_file(ec)) total += it->file_size(ec);
  return total;
}

}  // namespace

std::uint32_t DiskSpaceError(const std::string& windowsPath, std::uint64_t bytes) {
  std::optional<std::string> value = M().Config().FaultValue("disk_full");
  if (!value) return 0;
  size_t at = value->find('@');
  std::uint64_t limit = value->empty() ? 0 : ParseNumber(value->substr(0, at), UINT64_MAX).value_or(0);
  if (at == std::string::npos)
    return M().State<OpenFiles>().bytesWritten + bytes > limit ? ERROR_DISK_FULL : 0;
  // A folder of its own volume: what its files hold and what comes must fit.
  std::string folder = value->substr(at + 1);
  ResolvedPath p;
  if (!IsInside(windowsPath, folder) || ResolvePath(folder, p) != 0 || !p.exists) return 0;
  M().HostAccess();
  return BytesBelow(p.host) + bytes > limit ? ERROR_DISK_FULL : 0;
}

std::string TracePath(const std::string& windowsPath) { return AnsiToUtf8(windowsPath, M().Config().codePage); }

}  // namespace winemu
