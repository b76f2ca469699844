// Named mutexes, shared by every process on one machine: a name exists while any process has a
// handle to it open. Each handle holds a shared lock on a file of the machine's objects/ folder
// named after the mutex; the first opener takes it alone for a moment and so knows it made the
// name. A process that ends, however it ends, lets go of its locks as Windows closes its handles.
// The fault held_mutex=NAME stands for another process that holds NAME. Names are case-sensitive,
// "Global\" and "Local\" are part of them, as in one session of Windows.
//
// Traced: "mutex.create <name> made|opened" (not an effect on the machine).
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <windows.h>
#include "handles.h"
#include "machine/machine.h"

using namespace winemu;

namespace {

class MutexObject : public KernelObject {
 public:
  explicit MutexObject(int fd) : fd_(fd) {}
  ~MutexObject() override {
    if (fd_ >= 0) ::close(fd_);
  }

 private:
  int fd_;
};

std::filesystem::path ObjectFile(const std::string& name) {
  std::string hex;
  char byte[3];
  for (unsigned char c : name) {
    std::snprintf(byte, sizeof byte, "%02x", c);
    hex += byte;
  }
  return M().Root() / "objects" / ("mutex-" + hex);
}

}  // namespace

HANDLE WINAPI CreateMutexA(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR lpName) {
  if (!lpName || !*lpName) {
    SetError(0);
    return Handles().Add(std::make_unique<MutexObject>(-1));
  }
  std::string name = lpName;
  std::error_code ignored;
  std::filesystem::create_directories(M().Root() / "objects", ignored);
  int fd = ::open(ObjectFile(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return SetError(ERROR_ACCESS_DENIED), nullptr;
  bool held = M().Config().FaultValue("held_mutex") == name;
  bool existed = held || ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::flock(fd, LOCK_SH);  // kept while the handle is open; turns a lock taken alone into a shared one
  Trace("mutex.create", name + (existed ? " opened" : " made"));
  HANDLE h = Handles().Add(std::make_unique<MutexObject>(fd));
  SetError(existed ? ERROR_ALREADY_EXISTS : 0);
  return h;
}
