// Last error, the system's message texts and local memory.
#include <cstdlib>
#include <cstring>
#include <map>
#include <windows.h>

#include "machine/machine.h"

using namespace winemu;

namespace {

const std::map<DWORD, const char*>& SystemTexts() {
  static const std::map<DWORD, const char*> texts = {
      {0, "The operation completed successfully."},
      {1, "Incorrect function."},
      {2, "The system cannot find the file specified."},
      {3, "The system cannot find the path specified."},
      {5, "Access is denied."},
      {6, "The handle is invalid."},
      {8, "Not enough storage is available to process this command."},
      {18, "There are no more files."},
      {32, "The process cannot access the file because it is being used by another process."},
      {80, "The file exists."},
      {87, "The parameter is incorrect."},
      {112, "There is not enough space on the disk."},
      {122, "The data area passed to a system call is too small."},
      {123, "The filename, directory name, or volume label syntax is incorrect."},
      {124, "The system call level is not correct."},
      {145, "The directory is not empty."},
      {183, "Cannot create a file when that file already exists."},
      {206, "The filename or extension is too long."},
      {234, "More data is available."},
      {259, "No more data is available."},
      {267, "The directory name is invalid."},
      {1010, "The configuration registry key is invalid."},
      {1020, "Illegal operation attempted on a registry key which has been marked for deletion."},
      {1053, "The service did not respond to the start or control request in a timely fashion."},
      {1056, "An instance of the service is already running."},
      {1060, "The specified service does not exist as an installed service."},
      {1062, "The service has not been started."},
      {1722, "The RPC server is unavailable."},
      {1797, "The printer driver is unknown."},
      {1801, "The printer name is invalid."},
      {1805, "The environment specified is invalid."},
      {1902, "The specified form name is invalid."},
  };
  return texts;
}

}  // namespace

DWORD WINAPI GetLastError(void) { return M().lastError; }

void WINAPI SetLastError(DWORD dwErrCode) { M().lastError = dwErrCode; }

DWORD WINAPI FormatMessageA(DWORD dwFlags, LPCVOID, DWORD dwMessageId, DWORD, LPSTR lpBuffer, DWORD nSize, void*) {
  if (!(dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) || !lpBuffer) return SetError(ERROR_INVALID_PARAMETER), 0;
  auto it = SystemTexts().find(dwMessageId);
  if (it == SystemTexts().end()) return SetError(317 /* ERROR_MR_MID_NOT_FOUND */), 0;
  std::string text = std::string(it->second) + "\r\n";
  if (dwFlags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    DWORD size = static_cast<DWORD>(text.size() + 1) > nSize ? static_cast<DWORD>(text.size() + 1) : nSize;
    auto* mem = static_cast<char*>(LocalAlloc(LPTR, size));
    if (!mem) return SetError(ERROR_NOT_ENOUGH_MEMORY), 0;
    std::memcpy(mem, text.c_str(), text.size() + 1);
    *reinterpret_cast<LPSTR*>(lpBuffer) = mem;
  } else {
    if (nSize <= text.size()) return SetError(ERROR_INSUFFICIENT_BUFFER), 0;
    std::memcpy(lpBuffer, text.c_str(), text.size() + 1);
  }
  SetError(0);
  return static_cast<DWORD>(text.size());
}

HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes) {
  void* p = (uFlags & LMEM_ZEROINIT) ? std::calloc(1, uBytes ? uBytes : 1) : std::malloc(uBytes ? uBytes : 1);
  if (!p) SetError(ERROR_NOT_ENOUGH_MEMORY);
  return p;
}

HLOCAL WINAPI LocalFree(HLOCAL hMem) {
  std::free(hMem);
  return nullptr;
}
