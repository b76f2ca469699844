// The installation run: sweep, removal, staging, copy into the driver directory, the printer setup
// utility, verification, default printer, result, quit, sweep.
#include <windows.h>

#include "shared/globals.h"
#include "shared/SetupApp.h"
#include "install/DriverFileSet.h"
#include "install/PayloadStaging.h"
#include "install/PrinterSetup.h"
#include "install/ResultMessage.h"
#include "install/StagingDir.h"
#include "sys/Spooler.h"

void CSetupApp::InstallPrinterDriver() {
  LANGID systemLanguage = GetSystemDefaultLangID();
  SweepStagingDir();
  RemoveOldInstallation();
  CreateStagingDirs();

  DriverFileSet files;
  BuildDriverFileSet(g_PrinterName, files);
  char driverDirectory[kPathBufferSize];
  LookUpDriverDirectory(driverDirectory);
  RemoveEarlierDriverFiles(files, driverDirectory);

  StageUninstallerAndInf(*this);
  StagingChoice choice = ChooseStaging(g_OSVersion, systemLanguage, g_LanguageChoice);
  StageDriverFiles(*this, choice);
  CopyDriverFilesToDriverDir(choice);

  bool installed = false;
  if (RunInstallCommand()) {
    // No printer data at all, or a failed enumeration: the run ends here, without a word.
    std::vector<std::string> printers;
    if (!EnumLocalPrinterNames(printers) || printers.empty()) return;
    installed = HasModelPrinter(printers);
    if (installed) RunSetDefaultCommand();
  }
  ShowResult(ResultText(installed, ChooseTextLanguage(systemLanguage, g_LanguageChoice)));
  PostQuitToMainWindow();
  SweepStagingDir();
}
