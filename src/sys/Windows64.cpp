#include "sys/Windows64.h"

#include <windows.h>

namespace {

constexpr const char* kTexts[] = {
    "This printer driver is for 32-bit Windows only; setup cannot install it on this 64-bit Windows.\n"
    "Setup ends without changing anything.",
    // 此打印机驱动程序仅适用于 32 位 Windows，无法安装在此 64 位 Windows 上。\n安装程序将退出，不做任何更改。
    "\xb4\xcb\xb4\xf2\xd3\xa1\xbb\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xbd\xf6\xca\xca\xd3\xc3\xd3\xda 32 \xce\xbb "
    "Windows\xa3\xac\xce\xde\xb7\xa8\xb0\xb2\xd7\xb0\xd4\xda\xb4\xcb 64 \xce\xbb Windows \xc9\xcf\xa1\xa3\n\xb0\xb2"
    "\xd7\xb0\xb3\xcc\xd0\xf2\xbd\xab\xcd\xcb\xb3\xf6\xa3\xac\xb2\xbb\xd7\xf6\xc8\xce\xba\xce\xb8\xfc\xb8\xc4\xa1\xa3",
    // 此印表機驅動程式僅適用於 32 位元 Windows，無法安裝在此 64 位元 Windows 上。\n安裝程式將結束，不做任何變更。
    "\xa6\xb9\xa6L\xaa\xed\xbe\xf7\xc5X\xb0\xca\xb5{\xa6\xa1\xb6\xc8\xbe" "A\xa5\xce\xa9\xf3 32 \xa6\xec\xa4\xb8 "
    "Windows\xa1" "A\xb5L\xaak\xa6w\xb8\xcb\xa6" "b\xa6\xb9 64 \xa6\xec\xa4\xb8 Windows \xa4W\xa1" "C\n\xa6w\xb8\xcb"
    "\xb5{\xa6\xa1\xb1N\xb5\xb2\xa7\xf4\xa1" "A\xa4\xa3\xb0\xb5\xa5\xf4\xa6\xf3\xc5\xdc\xa7\xf3\xa1" "C",
};

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);

}  // namespace

bool Is64BitWindows() {
  HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  FARPROC found = kernel32 ? GetProcAddress(kernel32, "IsWow64Process") : nullptr;
  if (!found) return false;
  auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(reinterpret_cast<void (*)()>(found));
  BOOL wow64 = FALSE;
  return isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

const char* Windows64Text(TextLanguage language) { return kTexts[static_cast<int>(language)]; }

bool Require32BitWindows(TextLanguage language, const char* caption) {
  if (!Is64BitWindows()) return true;
  MessageBoxA(nullptr, Windows64Text(language), caption, MB_OK | MB_ICONSTOP);
  return false;
}
