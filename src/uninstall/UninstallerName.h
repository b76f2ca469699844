// The printer name N that the uninstaller's own file name uninstall<N>.exe carries.
#pragma once

#include <windows.h>

// Takes N from the file name at the end of `programPath` ("uninstall" and ".exe" matched without
// case). False when the name has another form or N is not a usable printer name.
bool PrinterNameFromProgramPath(const char* programPath, char (&printerName)[MAX_PATH]);
