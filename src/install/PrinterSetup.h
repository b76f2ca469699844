// The system's printer setup utility installs driver and printer from the staged INF, and makes
// the printer the default one; the local printers tell whether it worked.
#pragma once

#include <string>
#include <vector>

#include "sys/Spooler.h"

// Both commands run the system directory's rundll32.exe, named in full.
// Runs the install command from C:\TEMP and waits for it at most 90 000 ms; closes both handles.
// True when the utility started and ended in time (then after a pause of 100 ms).
bool RunInstallCommand();

// The printer the verification finds: walking from the last to the first, the first whose name
// contains the model name (case-sensitive); null when none does.
const LocalPrinter* FindModelPrinter(const std::vector<LocalPrinter>& printers);

// Fires the default-printer command for the model name, hidden and not waited for: its handles are
// closed at once.
void RunSetDefaultCommand();
