// MessageBoxA: recorded in the trace and answered with its default button.
#include <cstdio>

#include "../include/windows.h"
#include "../machine/codepage.h"
#include "../machine/machine.h"

using namespace winemu;

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  unsigned cp = M().Config().codePage;
  char style[16];
  std::snprintf(style, sizeof style, "0x%08X", uType);
  char owner[32];
  std::snprintf(owner, sizeof owner, "%p", static_cast<void*>(hWnd));
  Trace("msgbox", std::string("owner=") + (hWnd ? owner : "none") + " style=" + style + " caption=\"" +
                      AnsiToUtf8(lpCaption ? lpCaption : "Error", cp) + "\" text=\"" + AnsiToUtf8(lpText ? lpText : "", cp) +
                      "\"");
  switch (uType & 0xF) {
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
  }
}
