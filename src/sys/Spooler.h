// The print spooler as the installation and the removal use it: the driver directory, the local
// printers' names, the deletion of a form.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shared/constants.h"

// The spooler's driver directory for `environment` (local machine, level 1), without a trailing
// backslash. False when the spooler did not report one; `directory` is then empty.
bool GetDriverDirectory(const char* environment, char (&directory)[kPathBufferSize]);

struct LocalPrinter {
  std::string name;
  std::string driver;
};

// The local printers (PRINTER_ENUM_LOCAL, level 2, the two-call size protocol), in the spooler's
// order. A needed size of 0 means no printer: true, none. False when the sized call fails;
// GetLastError() then holds its error.
bool EnumLocalPrinters(std::vector<LocalPrinter>& printers);
// The same, names only.
bool EnumLocalPrinterNames(std::vector<std::string>& names);

// Opens the printer with full access and deletes it; false, GetLastError() telling why, when either
// fails.
bool DeleteLocalPrinter(const char* printerName);

// Deletes the driver `driverName` of the environment (local machine); its files stay. False when
// the spooler refused, GetLastError() telling why.
bool DeleteDriver(const char* environment, const char* driverName);

// Deletes the form `formName` on the local print server; nothing happens when the server cannot
// be opened. Results are not reported.
void DeleteServerForm(const char* formName);
