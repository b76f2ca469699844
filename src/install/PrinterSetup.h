// The system's printer setup utility installs driver and printer from the staged INF, and makes
// the printer the default one; the local printers tell whether it worked.
#pragma once

#include <string>
#include <vector>

#include "shared/globals.h"
#include "sys/Spooler.h"

// The install command for printer name N: the INF the run staged (C:\TEMP\N.INF, quoted when it
// holds a blank), the port, and the model name as base name and model; false when it does not fit.
bool ComposeInstallCommand(char (&command)[kPathBufferSize], const char* printerName);

// Both commands run the system directory's rundll32.exe, named in full.
// Runs the install command for N from C:\TEMP and waits for it at most 90 000 ms; closes both
// handles. True when the utility started and ended in time (then after a pause of 100 ms).
bool RunInstallCommand(const char* printerName);

// The printer the verification finds: walking from the last to the first, the first whose name
// contains the model name (case-sensitive); null when none does.
const LocalPrinter* FindModelPrinter(const std::vector<LocalPrinter>& printers);

// Fires the default-printer command for the model name, hidden and not waited for: its handles are
// closed at once.
void RunSetDefaultCommand();
