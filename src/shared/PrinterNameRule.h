// The printer name N names files, paths, registry keys and command lines; what its text must meet
// for that, for setup (which reads it from the settings file) and the uninstaller (whose own file
// name carries it).
#pragma once

enum class PrinterNameProblem { None, Empty, TooLong, ForbiddenCharacter, DotDot, UnidrvCoreName };

// The first problem of the text of `name`: empty, longer than `maxLength` bytes, a character
// Windows does not allow in printer or file names (or a control character), or "..". Never
// UnidrvCoreName, which depends on the driver files made from the name.
PrinterNameProblem CheckPrinterNameText(const char* name, int maxLength);
