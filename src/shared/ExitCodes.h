// The exit codes of the programs run with arguments: the installer service's numbers, which every
// deployment tool reads without a mapping. A wizard run without arguments keeps its own code.
#pragma once

enum ExitCode : int {
  kExitSuccess = 0,            // installed and found (setup), removed (uninstaller)
  kExitInvalidParameter = 87,  // a bad command line; nothing changed
  kExitElevationRequired = 740,  // no administrator rights; nothing changed
  kExitInstallFailure = 1603,  // the printer was not found after the utility, or a step failed
  kExitAlreadyRunning = 1618,  // another installation or uninstallation is running
  kExitPlatformUnsupported = 1633,  // a system the driver is not made for
};
