// The installation run: sweep, removal, staging, copy into the driver directory, the printer setup
// utility, verification, default printer, result, quit, sweep.
#include <windows.h>

#include "install/DriverFileSet.h"
#include "install/InstalledSize.h"
#include "install/PayloadStaging.h"
#include "install/PrinterSetup.h"
#include "install/ResultMessage.h"
#include "install/StagingDir.h"
#include "shared/SetupApp.h"
#include "shared/globals.h"
#include "sys/Spooler.h"

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
  SweepStagingDir();
  RemoveOldInstallation(host);
  CreateStagingDirs();

  DriverFileSet files;
  BuildDriverFileSet(g_PrinterName, files);
  char driverDirectory[kPathBufferSize];
  LookUpDriverDirectory(driverDirectory);
  RemoveEarlierDriverFiles(files, driverDirectory);

  bool staged = StageUninstallerAndInf(host);
  StagingChoice choice = ChooseStaging(g_OSVersion, systemLanguage, g_LanguageChoice);
  staged = StageDriverFiles(host, choice) && staged;
  CopyDriverFilesToDriverDir(choice);
  RecordInstalledSize(files, driverDirectory, g_PrinterName);

  InstallOutcome outcome = InstallOutcome::UtilityFailed;
  if (RunInstallCommand(g_PrinterName)) {
    // No printer data at all, or a failed enumeration: the run ends here, without a word.
    std::vector<std::string> printers;
    if (!EnumLocalPrinterNames(printers) || printers.empty()) return InstallOutcome::NoPrinterData;
    outcome = HasModelPrinter(printers) ? InstallOutcome::Installed : InstallOutcome::PrinterNotFound;
    if (outcome == InstallOutcome::Installed) RunSetDefaultCommand();
  }
  bool installed = outcome == InstallOutcome::Installed;
  if (!installed && !staged) outcome = InstallOutcome::StagingFailed;
  host.ShowResult(ResultText(installed, ChooseTextLanguage(systemLanguage, g_LanguageChoice)));
  host.EndWizard();
  SweepStagingDir();
  return outcome;
}
