// Window classes: the predefined ones and those the program registers.
#pragma once

#include "wnd.h"

namespace winemu::user32 {

// A class by name (without case) or by atom (MAKEINTATOM).
WindowClass* FindClass(std::u16string_view name);
WindowClass* FindClassAtom(ATOM atom);
// An "A" class name argument: an atom or a string.
WindowClass* FindClassA(LPCSTR name);

}  // namespace winemu::user32
