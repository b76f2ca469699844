// Setup run with arguments: the command line checked before anything changes, the log opened, the
// start-up's checks answered with exit codes instead of questions, then the installation without
// any window (/quiet) or on the progress page alone (/passive). /name and /log also apply to the
// wizard, which then runs as without arguments.
#include <windows.h>

#include <cstdio>

#include "app/PrinterNameCheck.h"
#include "app/SetupSwitches.h"
#include "install/UnattendedInstallHost.h"
#include "pages/CopyDlg.h"
#include "pages/setupDlg.h"
#include "shared/ExitCodes.h"
#include "shared/RunLog.h"
#include "shared/SetupApp.h"
#include "shared/SystemLanguage.h"
#include "shared/globals.h"
#include "shared/resource.h"
#include "sys/AdminRights.h"
#include "sys/SingleRun.h"
#include "sys/Windows64.h"

namespace {

constexpr const char* kDefaultLogName = "K7Xsetup.log";

// The frame with the progress page alone and no button that does anything: nothing is asked and
// nothing can be cancelled; the page ends the frame when the run is over.
class CPassiveDlg : public CSetupDlg {
 protected:
  BOOL OnInitDialog() override {
    CSetupDlg::OnInitDialog();
    for (int id : {IDC_WIZ_BACK, IDC_WIZ_NEXT, IDC_WIZ_FINISH, IDC_WIZ_CANCEL})
      if (CWnd* button = GetDlgItem(id)) button->EnableWindow(FALSE);
    return TRUE;
  }
  void OnCancel() override {}
};

int ExitCodeOf(InstallOutcome outcome) {
  if (outcome == InstallOutcome::Installed) return kExitSuccess;
  if (outcome == InstallOutcome::NoPrinterData) LogLine("The spooler lists no printers at all: no result");
  return kExitInstallFailure;
}

}  // namespace

int CSetupApp::RunWithArguments(const CommandLineResult& command) {
  const CommandLineOptions& options = command.options;
  bool quiet = options.mode == RunMode::Quiet;
  if (!command.error.empty() || (options.languageChoice >= 0 && options.mode == RunMode::Wizard)) {
    std::string error = !command.error.empty() ? command.error : "The switch /lang needs /quiet or /passive.";
    if (!quiet) MessageBoxA(nullptr, (error + "\n\n" + kSetupUsage).c_str(), m_strAppName.c_str(), MB_OK | MB_ICONSTOP);
    return kExitInvalidParameter;
  }
  if (options.help) {
    MessageBoxA(nullptr, kSetupUsage, m_strAppName.c_str(), MB_OK | MB_ICONINFORMATION);
    return kExitSuccess;
  }
  // The log first, so that each refusal below is in it. Only administrators may write the Windows
  // directory: a standard user's run goes on without the default log, to its 740.
  char defaultLog[kPathBufferSize];
  bool logOpen = !options.log.empty() ? OpenRunLog(options.log.c_str())
                                      : options.mode != RunMode::Wizard && DefaultLogPath(defaultLog, kDefaultLogName) &&
                                            OpenRunLog(defaultLog);
  LogLine("Setup started: %s", GetCommandLineA());
  int code = RunChecked(options, logOpen || options.log.empty());
  LogLine("Exit code %d", code);
  CloseRunLog();
  return code;
}

int CSetupApp::RunChecked(const CommandLineOptions& options, bool logUsable) {
  bool quiet = options.mode == RunMode::Quiet;
  auto refuse = [&](int code, const std::string& text) {
    LogLine("%s", text.c_str());
    if (!quiet) MessageBoxA(nullptr, text.c_str(), m_strAppName.c_str(), MB_OK | MB_ICONSTOP);
    return code;
  };
  if (!HasAdministratorRights()) {
    LogLine("No administrator rights (run setup elevated, or as SYSTEM): nothing changed");
    // The wizard says so as it does without arguments.
    if (options.mode == RunMode::Wizard)
      MessageBoxA(nullptr, AdministratorRightsText(SystemTextLanguage(GetSystemDefaultLangID())),
                  m_strAppName.c_str(), MB_OK | MB_ICONSTOP);
    return kExitElevationRequired;
  }
  if (!logUsable) return refuse(kExitInvalidParameter, "The log file " + options.log + " cannot be opened.");
  // The system's refusals, as the rights': the wizard says them in the system's language, an
  // unattended run only logs them (in English).
  TextLanguage shown = SystemTextLanguage(GetSystemDefaultLangID());
  auto refuseTold = [&](int code, const char* (*text)(TextLanguage)) {
    LogLine("%s", text(TextLanguage::English));
    if (options.mode == RunMode::Wizard) MessageBoxA(nullptr, text(shown), m_strAppName.c_str(), MB_OK | MB_ICONSTOP);
    return code;
  };
  if (Is64BitWindows()) return refuseTold(kExitPlatformUnsupported, Windows64Text);
  // One installation or removal at a time, held until this run ends.
  CSingleRun onlyRun;
  if (!onlyRun.IsOnlyRun()) return refuseTold(kExitAlreadyRunning, AnotherRunText);

  // A name given is checked before anything is written; one from setting.dll once it is read.
  if (options.hasName) {
    std::string reason = PrinterNameRefusal(options.name.c_str(), TextLanguage::English);
    if (!reason.empty())
      return refuse(kExitInvalidParameter, "The printer name " + options.name + " cannot be used: " + reason);
  }
  PrepareFiles();
  if (options.hasName) {
    std::snprintf(g_PrinterName, sizeof g_PrinterName, "%s", options.name.c_str());  // fits: checked above
  } else {
    std::string reason = PrinterNameRefusal(g_PrinterName, TextLanguage::English);
    if (!reason.empty())
      return refuse(kExitInstallFailure, std::string("The setting PrinterName in setting.dll cannot be used: ") + reason);
  }
  LogLine("Printer name %s", g_PrinterName);

  if (options.mode == RunMode::Wizard) {
    RunWizard();
    return kExitSuccess;
  }
  // The language the system-and-language page would preselect, unless chosen.
  g_LanguageChoice = static_cast<WORD>(options.languageChoice >= 0 ? options.languageChoice
                                                                   : (IsChinese(GetSystemLanguage()) ? 0 : 1));
  if (options.mode == RunMode::Quiet) {
    CUnattendedInstallHost host(*this);
    return ExitCodeOf(InstallPrinterDriver(host));
  }
  CPassiveDlg frame;
  CUnattendedInstallHost host(*this);
  CCopyDlg progress(*this, &host);
  frame.AppendPage(&progress, IDD_COPY);
  m_pMainWnd = &frame;
  frame.DoModal();
  m_pMainWnd = nullptr;
  return progress.m_bRan ? ExitCodeOf(progress.m_outcome) : kExitInstallFailure;
}
