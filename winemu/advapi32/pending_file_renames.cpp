// MoveFileExA with MOVEFILE_DELAY_UNTIL_REBOOT: kernel32's call whose only effect is a registry
// value, so it lives with the registry. Windows records each delayed operation in
// HKLM\SYSTEM\CurrentControlSet\Control\Session Manager, value PendingFileRenameOperations
// (REG_MULTI_SZ), as a pair of strings appended to what is there: the source as an NT path
// ("\??\C:\..."), then the target ("\??\..." prefixed with '!' to replace an existing file), or an
// empty string to delete the source at the next start. The list keeps its closing NUL.
//
// Only the delayed form is emulated; an immediate move fails with ERROR_NOT_SUPPORTED. The source
// must exist; the key is written with administrator rights only.
//
// Traced: file.delayedmove "<source> -> <target>|(delete)" with its result.
#include <windows.h>

#include "kernel32/file_object.h"
#include "machine/paths.h"
#include "registry.h"

using namespace winemu;

namespace {

constexpr const char* kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* kPendingValue = "PendingFileRenameOperations";

BOOL Fail(const std::string& detail, DWORD err) {
  TraceResult("file.delayedmove", detail, err);
  return SetError(err), FALSE;
}

void AppendPendingOperation(const std::string& source, const std::string& target) {
  reg::Registry& registry = reg::MachineRegistry();
  reg::Key& key = registry.Create(reg::Root::LocalMachine, *reg::SplitKeyPath(kSessionManager));
  std::string data;
  if (const reg::Value* existing = key.FindValue(kPendingValue)) data = existing->data;
  if (!data.empty() && data.back() == '\0') data.pop_back();  // the list's closing NUL, added back below
  data += source + '\0' + target + '\0' + '\0';
  key.SetValue(kPendingValue, REG_MULTI_SZ, data);
  registry.Save(reg::Root::LocalMachine);
}

}  // namespace

BOOL WINAPI MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
  std::string shownTarget = lpNewFileName ? TracePath(lpNewFileName) : "(delete)";
  std::string detail = (lpExistingFileName ? TracePath(lpExistingFileName) : "") + " -> " + shownTarget;
  if (!lpExistingFileName) return Fail(detail, ERROR_INVALID_PARAMETER);
  if (!(dwFlags & MOVEFILE_DELAY_UNTIL_REBOOT)) return Fail(detail, ERROR_NOT_SUPPORTED);
  if (dwFlags & MOVEFILE_COPY_ALLOWED) return Fail(detail, ERROR_INVALID_PARAMETER);
  ResolvedPath source;
  if (DWORD err = ResolvePath(lpExistingFileName, source)) return Fail(detail, err);
  if (!source.exists) return Fail(detail, source.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
  std::string target;
  if (lpNewFileName) {
    ResolvedPath resolved;
    if (DWORD err = ResolvePath(lpNewFileName, resolved)) return Fail(detail, err);
    target = std::string(dwFlags & MOVEFILE_REPLACE_EXISTING ? "!" : "") + "\\??\\" + resolved.windows;
  }
  if (!M().Config().admin) return Fail(detail, ERROR_ACCESS_DENIED);
  AppendPendingOperation("\\??\\" + source.windows, target);
  TraceResult("file.delayedmove", TracePath(source.windows) + " -> " + shownTarget, 0);
  return SetError(0), TRUE;
}
