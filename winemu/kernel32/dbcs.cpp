// Lead bytes of the double-byte code pages.
#include <windows.h>

#include "machine/codepage.h"
#include "machine/machine.h"

using namespace winemu;

BOOL WINAPI IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar) {
  return IsLeadByte(CodePage == CP_ACP ? M().Config().codePage : CodePage, TestChar) ? TRUE : FALSE;
}
