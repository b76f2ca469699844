// The 11 driver files the engine handles, the driver directory it copies them to, and the removal
// of earlier copies before new ones are staged.
#pragma once

#include "shared/DriverFiles.h"
#include "shared/globals.h"

struct DriverFileSet {
  // The names of kDriverFiles made for the printer N, in its order; a name made from N that would
  // not fit is left empty.
  char names[kDriverFileCount][kPathBufferSize];
};

// Fills the set from the printer name N.
void BuildDriverFileSet(const char* printerName, DriverFileSet& set);

// Asks the spooler for the driver directory of "Windows NT x86" (without trailing backslash);
// empty when the spooler reported none.
void LookUpDriverDirectory(char (&directory)[kPathBufferSize]);

// Deletes each name of the set from C:\TEMP, from the driver directory and, for the names made
// from N, from its 3 subdirectory. Without a driver directory ("") only C:\TEMP is touched. In the
// driver directory and its 3 subdirectory a name goes only when no other driver uses it and it is
// not named like a Unidrv core file (the core copies in the driver directory are overwritten anyway).
void RemoveEarlierDriverFiles(const DriverFileSet& set, const char* driverDirectory);
