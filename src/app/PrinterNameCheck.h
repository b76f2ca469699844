// The printer name from the settings file names files, paths, registry keys and command lines;
// start-up refuses a name that cannot safely do all of that.
#pragma once

enum class PrinterNameProblem { None, Empty, TooLong, ForbiddenCharacter, DotDot };

// The longest printer name accepted: every path and text composed from it then fits in its
// 260-character buffer for any driver directory of up to 60 characters.
constexpr int kMaxPrinterNameLength = 128;

PrinterNameProblem CheckPrinterName(const char* name);

// Returns TRUE for a usable name; otherwise tells the user, in the wizard's language, which
// setting is refused and why, and returns FALSE.
bool CheckPrinterNameOrTellUser(const char* name);
