// The uninstall entry must not name an uninstaller that is not there: where the run could not
// place its uninstaller in the driver directory, the entry the removal wrote goes again, unless
// it was an earlier installation's whose uninstaller is still in place.
#pragma once

// Before the removal rewrites the entry: whether the entry of `printerName` and the uninstaller it
// names are both there.
bool EarlierEntryWithUninstaller(const char* printerName);

// After the uninstaller's copy: true when the driver directory's uninstall<N>.exe holds what the
// run staged. Otherwise deletes the entry, unless `earlierIntact` and an uninstaller is still
// there, and returns false.
bool UninstallerPlaced(const char* printerName, bool earlierIntact);
