// The entry of the installation in the system's list of installed software.
#pragma once

#include "shared/constants.h"
#include "sys/Reg.h"

// Writes HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\<P> printer with DisplayName,
// UninstallString, DisplayIcon and Publisher, all REG_SZ handed without terminator, then for
// deployment tools QuietUninstallString ("<UninstallString>" /quiet), DisplayVersion (the program's
// product version) and the REG_DWORDs NoModify and NoRepair, 1. A text that does not fit its
// 260-character buffer is not written. Without a driver directory the values composed from it
// (UninstallString, DisplayIcon, QuietUninstallString) are left out.
void WriteUninstallEntry(CReg& reg, const char* printerName);

// EstimatedSize, REG_DWORD: the kilobytes the installed driver files take.
void WriteEstimatedSize(CReg& reg, const char* printerName, DWORD kilobytes);

// The uninstaller's path the entry names: the driver directory's uninstall<P>.exe. False when
// there is no driver directory or the path would not fit.
bool ComposeUninstallerPath(char (&path)[kPathBufferSize], const char* printerName);

// Whether the entry's key exists.
bool UninstallEntryExists(const char* printerName);

// Deletes that key; false, GetLastError() telling why, when it stays.
bool DeleteUninstallEntry(CReg& reg, const char* printerName);

// The length of the longest text the entry is made of (key, values) without the printer name in
// it, for the driver directory `driverDirectory`.
int LongestEntryTextBesidesName(const char* driverDirectory);
