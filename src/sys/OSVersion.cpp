#include "sys/OSVersion.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

// The version record, zeroed with its size set; a failing GetVersionExA leaves it at 0.0.
std::unique_ptr<OSVERSIONINFOA> QueryVersionRecord() {
  std::unique_ptr<OSVERSIONINFOA> info(new (std::nothrow) OSVERSIONINFOA{});
  if (!info) return info;
  info->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
  GetVersionExA(info.get());
  return info;
}

}  // namespace

int GetOSVersion() {
  DWORD version = GetVersion();
  if (version < 0x80000000UL) {
    int code = OS_NT_OTHER;
    std::unique_ptr<OSVERSIONINFOA> info = QueryVersionRecord();
    if (!info) return code;
    DWORD major = info->dwMajorVersion, minor = info->dwMinorVersion;
    if (major == 4) code = OS_NT4;
    else if (major == 5 && minor == 0) code = OS_WIN2000;
    else if (major == 5 && minor == 1) code = OS_WINXP;
    else if (major == 5 && minor == 2) code = OS_WIN2003;
    else if (major == 6 && minor == 0) code = OS_VISTA;
    else if (major == 6 && minor == 1) code = OS_WIN7;
    return code;
  }
  if ((version & 0xFF) < 4) return OS_WIN32S;
  int code = OS_WIN95;
  std::unique_ptr<OSVERSIONINFOA> info = QueryVersionRecord();
  if (!info) return code;
  if (info->dwMajorVersion == 4 && info->dwMinorVersion == 10) code = OS_WIN98;
  else if (info->dwMajorVersion == 4 && info->dwMinorVersion == 90) code = OS_WINME;
  return code;
}
