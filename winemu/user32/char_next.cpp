// Walking ANSI text by characters of a code page.
#include <windows.h>

// A lead byte followed by the terminator is a character of one byte; the terminator is never passed.
LPSTR WINAPI CharNextExA(WORD CodePage, LPCSTR lpCurrentChar, DWORD) {
  if (!*lpCurrentChar) return const_cast<LPSTR>(lpCurrentChar);
  bool pair = IsDBCSLeadByteEx(CodePage, static_cast<BYTE>(*lpCurrentChar)) && lpCurrentChar[1] != '\0';
  return const_cast<LPSTR>(lpCurrentChar + (pair ? 2 : 1));
}
