// Copying a staged file from C:\TEMP into the spooler's driver directory.
#pragma once

#include <windows.h>

#include <string>

#include "shared/constants.h"

// The driver directory (for the environment g_DriverEnvironment), a backslash and `name`; false
// without a driver directory or when the path would not fit.
bool DriverDirPath(const std::string& name, char (&path)[kPathBufferSize]);

// C:\TEMP, a backslash and `name`; false when the path would not fit.
bool StagingDirPath(const std::string& name, char (&path)[kPathBufferSize]);

// Copies C:\TEMP\name to the driver directory (for the environment g_DriverEnvironment), keeping
// an existing target when `failIfExists` is TRUE. Nothing is reported. Without a driver directory,
// or when a path would not fit its 260-character buffer, nothing is copied.
void CopyToDriverDir(std::string name, BOOL failIfExists);
