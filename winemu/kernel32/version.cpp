// System facts: version, languages, code pages.
#include <cstring>
#include <windows.h>

#include "machine/codepage.h"
#include "machine/machine.h"

using namespace winemu;

DWORD WINAPI GetVersion(void) {
  const MachineConfig& c = M().Config();
  DWORD v = static_cast<DWORD>(c.major & 0xFF) | (static_cast<DWORD>(c.minor & 0xFF) << 8);
  if (c.nt) return v | (static_cast<DWORD>(c.build & 0x7FFF) << 16);
  return v | 0x80000000UL;
}

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info) {
  if (!info || (info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA) && info->dwOSVersionInfoSize != 156))
    return SetError(ERROR_INSUFFICIENT_BUFFER), FALSE;
  const MachineConfig& c = M().Config();
  if (c.HasFault("getversionex_fails")) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  info->dwMajorVersion = static_cast<DWORD>(c.major);
  info->dwMinorVersion = static_cast<DWORD>(c.minor);
  info->dwBuildNumber = static_cast<DWORD>(c.build);
  info->dwPlatformId = c.nt ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS;
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  SetError(0);
  return TRUE;
}

LANGID WINAPI GetSystemDefaultLangID(void) { return M().Config().langId; }

int WINAPI WideCharToMultiByte(UINT CodePage, DWORD, LPCWSTR src, int srcLen, LPSTR dst, int dstLen, LPCSTR, LPBOOL) {
  if (!src) return SetError(ERROR_INVALID_PARAMETER), 0;
  size_t n = 0;
  if (srcLen < 0) {
    while (src[n]) ++n;
    ++n;
  } else {
    n = static_cast<size_t>(srcLen);
  }
  std::string a = WideToAnsi(std::u16string_view(src, n), CodePage == CP_ACP ? M().Config().codePage : CodePage);
  if (dstLen == 0) return static_cast<int>(a.size());
  if (static_cast<size_t>(dstLen) < a.size()) return SetError(ERROR_INSUFFICIENT_BUFFER), 0;
  std::memcpy(dst, a.data(), a.size());
  return static_cast<int>(a.size());
}
