// The printer name from the settings file names files, paths, registry keys and command lines;
// start-up refuses a name that cannot safely do all of that.
#pragma once

#include <string>

#include "shared/PrinterNameRule.h"
#include "shared/TextLanguage.h"

// The longest printer name (in bytes) for which every path and text composed from it fits its
// 260-character buffer, with the driver directory `driverDirectory`.
int MaxPrinterNameLength(const char* driverDirectory);

// The first problem of `name`: those of its text, then a driver file made from it that is named
// like a Unidrv core file.
PrinterNameProblem CheckPrinterName(const char* name, int maxLength);

// Why `name` cannot be used, in `language` (the reason alone, without the setting it came from);
// empty for a usable name. The length limit follows the spooler's driver directory (the system's
// standard one while the spooler cannot tell).
std::string PrinterNameRefusal(const char* name, TextLanguage language);

// Returns TRUE for a usable name; otherwise tells the user, in the wizard's language, which
// setting is refused and why, and returns FALSE. The length limit follows the spooler's driver
// directory (the system's standard one while the spooler cannot tell).
bool CheckPrinterNameOrTellUser(const char* name);
