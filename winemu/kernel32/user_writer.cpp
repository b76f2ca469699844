#include "user_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <windows.h>

#include "file_object.h"
#include "file_security.h"
#include "machine/faults.h"
#include "machine/machine.h"

namespace winemu {
namespace {

bool WriteHostFile(const std::filesystem::path& host) {
  int fd = ::open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool written = WriteAll(fd, kUserWriterBytes, sizeof kUserWriterBytes - 1);
  ::close(fd);
  ++M().driveChanges;
  return written;
}

std::uint32_t Replace(const std::string& path) {
  ResolvedPath p;
  if (std::uint32_t err = ResolvePath(path, p)) return err;
  if (!p.parentExists) return ERROR_PATH_NOT_FOUND;
  if (p.exists && p.directory) return ERROR_ACCESS_DENIED;
  if (WriteProtectionError(p.windows)) return ERROR_ACCESS_DENIED;
  SecurityStore& store = M().State<SecurityStore>();
  if (p.exists && !AccessError(p.windows, FILE_WRITE_DATA)) {
    if (std::uint32_t err = SharingError(p.host, GENERIC_WRITE, FILE_SHARE_READ)) return err;
    return WriteHostFile(p.host) ? 0 : ERROR_ACCESS_DENIED;
  }
  if (p.exists) {
    if (DeleteAccessError(p.windows) || CreateAccessError(p.windows, false)) return ERROR_ACCESS_DENIED;
    if (std::uint32_t err = DeleteSharingError(p.host)) return err;
    if (::unlink(p.host.c_str()) != 0) return ERROR_ACCESS_DENIED;
    NoteRemoved(p.host);
    store.Removed(p.windows);
  } else if (CreateAccessError(p.windows, false)) {
    return ERROR_ACCESS_DENIED;
  }
  if (!WriteHostFile(p.host)) return ERROR_ACCESS_DENIED;
  NoteMade(p.host, false);
  store.Made(p.windows, false, nullptr);
  return 0;
}

}  // namespace

void RunUserWriter(Machine& machine) {
  auto value = machine.Config().FaultValue("user_writer");
  if (!value) return;
  auto writer = ParseUserWriter(*value);
  if (!writer || machine.TraceEntries().size() != writer->afterEntry) return;
  StandardUserProcess user;
  std::uint32_t err = Replace(writer->path);
  TraceResult("user.replace", TracePath(writer->path), err);
}

}  // namespace winemu
