// What the uninstaller removes, in order: the printers that use the driver K7X, the driver, its
// files in the driver directory D and in D\3 named after the printer N (and ZIKU.UFM), the OEM INF
// copies of the driver, the uninstall entry "<N> printer", and the uninstaller's own file.
#pragma once

enum class RemovalStep { Printers, Driver, DriverFiles, OemInfs, UninstallEntry, Uninstaller, Done };

// Removes the parts in the order above and stops at the first one that cannot be removed, so that
// what stays is still an installation the uninstaller can be run on again. Returns that step, or
// Done when everything is gone (the uninstaller's own file at the next start of Windows). The
// spooler keeps running throughout.
RemovalStep RemoveInstallation(const char* printerName, const char* programPath);
