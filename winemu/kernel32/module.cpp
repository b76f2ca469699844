// The program's module: its handle, file name, command line, and the system directories.
#include <windows.h>

#include "buffers.h"
#include "machine/machine.h"
#include "machine/program.h"

using namespace winemu;

namespace {
struct ModuleTag {
  int unused;
} g_module;
}  // namespace

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (lpModuleName) return SetError(ERROR_MOD_NOT_FOUND), nullptr;
  return reinterpret_cast<HMODULE>(&g_module);
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  if (hModule && hModule != GetModuleHandleA(nullptr)) return SetError(ERROR_MOD_NOT_FOUND), 0;
  const std::string& path = M().Config().program;
  if (nSize == 0 || !lpFilename) return SetError(ERROR_INSUFFICIENT_BUFFER), 0;
  DWORD copied = CopyTruncated(path, lpFilename, nSize);
  if (copied < path.size()) return SetError(ERROR_INSUFFICIENT_BUFFER), nSize;
  SetError(0);
  return copied;
}

LPSTR WINAPI GetCommandLineA() { return const_cast<LPSTR>(ProgramCommandLine()); }

UINT WINAPI GetWindowsDirectoryA(LPSTR lpBuffer, UINT uSize) {
  return CopyOrNeeded(M().Config().windowsDir, lpBuffer, uSize);
}

UINT WINAPI GetSystemDirectoryA(LPSTR lpBuffer, UINT uSize) {
  return CopyOrNeeded(M().Config().windowsDir + "\\system32", lpBuffer, uSize);
}
