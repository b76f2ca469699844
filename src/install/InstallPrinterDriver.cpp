// The installation run: sweep, removal, staging, copy into the driver directory, the printer setup
// utility, verification, default printer, result, quit, sweep.
#include <windows.h>

#include "install/DriverFileSet.h"
#include "install/InstalledSize.h"
#include "install/PayloadStaging.h"
#include "install/PrinterSetup.h"
#include "install/ResultMessage.h"
#include "install/StagingDir.h"
#include "install/StagingFolderGuard.h"
#include "install/UninstallerPlacement.h"
#include "install/WrittenFiles.h"
#include "shared/SetupApp.h"
#include "shared/globals.h"
#include "sys/Spooler.h"
#include "sys/SpoolerRecovery.h"

namespace {

// Message boxes of a run dispatch messages; nothing they dispatch may start a second run inside it.
bool g_bEngineRunning = false;

class CEngineRun {
 public:
  CEngineRun() : m_bStarted(!g_bEngineRunning) { g_bEngineRunning = true; }
  ~CEngineRun() {
    if (m_bStarted) g_bEngineRunning = false;
  }
  bool m_bStarted;
};

}  // namespace

InstallOutcome CSetupApp::InstallPrinterDriver(InstallHost& host) {
  CEngineRun run;
  if (!run.m_bStarted) return InstallOutcome::AlreadyRunning;
  LANGID systemLanguage = GetSystemDefaultLangID();
  // The result message, the end of the wizard and the final sweep.
  auto finish = [&](InstallOutcome outcome) {
    bool installed = outcome == InstallOutcome::Installed;
    host.ShowResult(ResultText(installed, ChooseTextLanguage(systemLanguage, g_LanguageChoice)));
    host.EndWizard();
    SweepStagingDir();
    return outcome;
  };
  // Before anything changes, the staging folders are administrators' alone, or the run refuses.
  const char* unsafeFolder = nullptr;
  if (!SweepSecuredStagingDir(&unsafeFolder)) {
    char refusal[512];
    StagingRefusalText(ChooseTextLanguage(systemLanguage, g_LanguageChoice), unsafeFolder, refusal);
    host.ShowResult(refusal);
    host.EndWizard();
    return InstallOutcome::StagingRefused;
  }
  StartSpoolerIfStopped();
  StartWrittenFilesRecord();
  bool earlierEntry = EarlierEntryWithUninstaller(g_PrinterName);
  RemoveOldInstallation(host);
  CreateStagingDirs();

  DriverFileSet files;
  BuildDriverFileSet(g_PrinterName, files);
  char driverDirectory[kPathBufferSize];
  LookUpDriverDirectory(driverDirectory);
  RemoveEarlierDriverFiles(files, driverDirectory);

  bool staged = StageUninstallerAndInf(host);
  if (!UninstallerPlaced(g_PrinterName, earlierEntry)) return finish(InstallOutcome::StagingFailed);
  StagingChoice choice = ChooseStaging(g_OSVersion, systemLanguage, g_LanguageChoice);
  staged = StageDriverFiles(host, choice) && staged;
  staged = CopyDriverFilesToDriverDir(choice) && staged;
  RecordInstalledSize(files, driverDirectory, g_PrinterName);
  // The utility installs only from files that hold what this run wrote.
  if (!staged || !WrittenFilesIntact()) return finish(InstallOutcome::StagingFailed);

  InstallOutcome outcome = InstallOutcome::UtilityFailed;
  if (RunInstallCommand(g_PrinterName)) {
    // No printer data at all, or a failed enumeration: the run ends here, without a word.
    std::vector<LocalPrinter> printers;
    if (!EnumLocalPrinters(printers) || printers.empty()) return InstallOutcome::NoPrinterData;
    // The printer found counts only when it uses the model's driver.
    const LocalPrinter* found = FindModelPrinter(printers);
    outcome = found && found->driver == kModelName ? InstallOutcome::Installed : InstallOutcome::PrinterNotFound;
    if (outcome == InstallOutcome::Installed) RunSetDefaultCommand();
  }
  return finish(outcome);
}
