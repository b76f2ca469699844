// The driver is for 32-bit Windows only: on a 64-bit Windows, where this 32-bit program runs under
// WoW64, setup ends before it changes anything.
#pragma once

#include "shared/TextLanguage.h"

// Whether the program runs on a 64-bit Windows. kernel32's IsWow64Process is looked up at run
// time; a system without it (Windows 2000) is 32-bit.
bool Is64BitWindows();

// Why setup cannot go on there, in English (ASCII), simplified Chinese (936) or traditional
// Chinese (950).
const char* Windows64Text(TextLanguage language);

// True on a 32-bit Windows; otherwise shows the text (OK, stop icon, under `caption`) and returns false.
bool Require32BitWindows(TextLanguage language, const char* caption);
