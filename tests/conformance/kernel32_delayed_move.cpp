// kernel32: MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT, which changes no file now and records the
// operation for the next start in PendingFileRenameOperations (REG_MULTI_SZ) under the Session
// Manager key: the source as an NT path, then the target ('!' first to replace an existing file) or an
// empty string to delete, appended before the list's closing NUL. The value is restored afterwards.
#include <string>

#include "check.h"
#include "parts.h"
#include "scratch.h"

namespace conformance {
namespace {

constexpr const char* kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kPending = "PendingFileRenameOperations";

// The value's bytes, or nothing when it does not exist.
bool ReadPending(HKEY key, std::string& data, DWORD& type) {
  DWORD size = 0;
  if (RegQueryValueExA(key, kPending, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  data.assign(size, '\0');
  return RegQueryValueExA(key, kPending, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS &&
         (data.resize(size), true);
}

}  // namespace

void CheckDelayedMoves() {
  HKEY key = nullptr;
  LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ | KEY_SET_VALUE, &key);
  ok(opened == ERROR_SUCCESS, "the Session Manager key opens with %ld", static_cast<long>(opened));
  if (opened != ERROR_SUCCESS) return;
  std::string before;
  DWORD type = 0;
  bool existed = ReadPending(key, before, type);

  std::string source = InScratch("delayed.txt");
  std::string target = InScratch("moved.txt");
  WriteBytes(source, "delayed");
  ok(MoveFileExA(source.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT), "MoveFileExA delaying a deletion failed with %u",
     static_cast<unsigned>(GetLastError()));
  ok(MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING),
     "MoveFileExA delaying a move failed with %u", static_cast<unsigned>(GetLastError()));
  ok(ReadBytes(source) == "delayed" && ReadBytes(target) == "<missing>", "a delayed operation changed the files now");

  std::string after;
  ok(ReadPending(key, after, type) && type == REG_MULTI_SZ, "the pending operations are not a REG_MULTI_SZ value");
  std::string kept = before;
  if (!kept.empty() && kept.back() == '\0') kept.pop_back();
  std::string expected = kept + "\\??\\" + source + std::string(1, '\0') + std::string(1, '\0') + "\\??\\" + source +
                         std::string(1, '\0') + "!\\??\\" + target + std::string(2, '\0');
  ok(after == expected, "the pending operations read '%s', expected '%s'", Shown(after).c_str(), Shown(expected).c_str());

  if (existed) RegSetValueExA(key, kPending, 0, type, reinterpret_cast<const BYTE*>(before.data()), static_cast<DWORD>(before.size()));
  else RegDeleteValueA(key, kPending);
  RegCloseKey(key);
  ok(DeleteFileA(source.c_str()), "DeleteFileA of the delayed file failed with %u", static_cast<unsigned>(GetLastError()));
}

}  // namespace conformance
