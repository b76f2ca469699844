// The program's module: its handle, file name, command line, and the system directories.
#include <windows.h>

#include <cctype>
#include <string>

#include "buffers.h"
#include "machine/machine.h"
#include "machine/program.h"

using namespace winemu;

namespace {
struct ModuleTag {
  int unused;
} g_module, g_kernel32;

// "kernel32" or "kernel32.dll", in any case.
bool NamesKernel32(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name == "kernel32" || name == "kernel32.dll";
}
}  // namespace

// The program's own module, or kernel32 (which every process has loaded); GetProcAddress finds
// kernel32's exports that a program looks up at run time.
HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (lpModuleName && NamesKernel32(lpModuleName)) return SetError(0), reinterpret_cast<HMODULE>(&g_kernel32);
  if (lpModuleName) return SetError(ERROR_MOD_NOT_FOUND), nullptr;
  return reinterpret_cast<HMODULE>(&g_module);
}

// A 32-bit program on a 64-bit Windows runs under WoW64.
BOOL WINAPI IsWow64Process(HANDLE, PBOOL Wow64Process) {
  if (!Wow64Process) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  *Wow64Process = M().Config().x64 ? TRUE : FALSE;
  SetError(0);
  return TRUE;
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
