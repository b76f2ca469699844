// The kernel's string helpers.
#include <cstring>
#include <windows.h>

#include "machine/ini.h"

int WINAPI lstrlenA(LPCSTR s) { return s ? static_cast<int>(std::strlen(s)) : 0; }

LPSTR WINAPI lstrcpyA(LPSTR dst, LPCSTR src) { return std::strcpy(dst, src); }

LPSTR WINAPI lstrcpynA(LPSTR dst, LPCSTR src, int max) {
  if (max <= 0) return dst;
  int i = 0;
  for (; i < max - 1 && src[i]; ++i) dst[i] = src[i];
  dst[i] = '\0';
  return dst;
}

int WINAPI lstrcmpiA(LPCSTR a, LPCSTR b) {
  for (;; ++a, ++b) {
    int ca = (*a >= 'a' && *a <= 'z') ? *a - 32 : static_cast<unsigned char>(*a);
    int cb = (*b >= 'a' && *b <= 'z') ? *b - 32 : static_cast<unsigned char>(*b);
    if (ca != cb) return ca < cb ? -1 : 1;
    if (!*a) return 0;
  }
}
