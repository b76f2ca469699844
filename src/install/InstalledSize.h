// The size of an installation, as the system's list of installed software shows it.
#pragma once

#include "install/DriverFileSet.h"

// Records in the uninstall entry of N the kilobytes (rounded up) that the files of `set` and the
// uninstaller take in the driver directory.
void RecordInstalledSize(const DriverFileSet& set, const char* driverDirectory, const char* printerName);
