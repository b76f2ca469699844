// The start-up: the version code, the application object, and the wizard it builds and runs.
#include "app/PrinterNameCheck.h"
#include "app/SetupSwitches.h"
#include "app/StartupRefusal.h"
#include "framework/PathText.h"
#include "i18n/LanguageFile.h"
#include "pages/CopyDlg.h"
#include "pages/LanguageDlg.h"
#include "pages/SettingDlg.h"
#include "pages/WelcomeDlg.h"
#include "pages/setupDlg.h"
#include "payload/PayloadIds.h"
#include "shared/ExitCodes.h"
#include "shared/SetupApp.h"
#include "shared/UserDataDir.h"
#include "shared/globals.h"
#include "shared/resource.h"
#include "sys/AdminRights.h"
#include "sys/OSVersion.h"
#include "sys/SingleRun.h"
#include "sys/Windows64.h"

// Static construction order: the version code, then the application object.
int g_OSVersion = GetOSVersion();
CSetupApp theApp;

namespace {

StartupRefusal g_refusal = StartupRefusal::None;

// Notes why the start-up ends; false, for the caller to return.
bool Refuse(StartupRefusal why) {
  g_refusal = why;
  return false;
}

}  // namespace

StartupRefusal LastStartupRefusal() { return g_refusal; }

CSetupApp::CSetupApp() : CWinApp(nullptr) {}

BOOL CSetupApp::InitInstance() {
  CommandLineResult command = ParseCommandLine(GetCommandLineA(), kSetupSwitches);
  m_nExitCode = kExitSuccess;
  g_refusal = StartupRefusal::None;
  if (command.options.any) {
    m_nExitCode = RunWithArguments(command);
  } else if (PrepareStartup()) {
    // One installation or removal at a time, held until the wizard ends.
    CSingleRun onlyRun;
    if (onlyRun.TellUserIfNotOnly(g_WizardLanguage, m_strAppName.c_str())) RunWizard();
    else Refuse(StartupRefusal::AnotherRun);
  }
  return FALSE;
}

void CSetupApp::RunWizard() {
  // The wizard: the frame and its pages live for the modal run and go in reverse order.
  CSetupDlg wizard;
  CWelcomeDlg welcome;
  CLanguageDlg language;
  CSettingDlg setting;
  CCopyDlg copy(*this);
  wizard.AppendPage(&welcome, IDD_WELCOME);
  wizard.AppendPage(&language, IDD_LANGUAGE);
  wizard.AppendPage(&setting, IDD_SETTING);
  wizard.AppendPage(&copy, IDD_COPY);
  m_pMainWnd = &wizard;
  wizard.DoModal();
  m_pMainWnd = nullptr;
}

bool CSetupApp::PrepareStartup() {
  PrepareFiles();
  // Nothing of the machine changes before the checks: the name, the rights to install, a 32-bit
  // Windows.
  if (!CheckPrinterNameOrTellUser(g_PrinterName)) return Refuse(StartupRefusal::PrinterName);
  if (!RequireAdministratorRights(g_WizardLanguage, m_strAppName.c_str())) return Refuse(StartupRefusal::NoRights);
  if (!Require32BitWindows(g_WizardLanguage, m_strAppName.c_str())) return Refuse(StartupRefusal::Windows64);
  return true;
}

void CSetupApp::PrepareFiles() {
  // The program file's directory, with its trailing backslash.
  char modulePath[kPathBufferSize] = {0};
  GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
  g_AppDir.assign(static_cast<const char*>(modulePath), FileNameOf(modulePath));

  std::string languageDir = g_AppDir + "Language";
  CreateDirectoryA(languageDir.c_str(), nullptr);

  // The user-interface language follows the system's default language.
  TextLanguage language = SystemTextLanguage(GetSystemDefaultLangID());
  UseLanguageFile(languageDir, language);
  LoadLanguage(language == TextLanguage::English ? "English" : "Chinese");

  // A vendor's setting.dll beside the program is read even where the folder is read-only; where
  // the default cannot be written there, it is written to the user's data folder and read there.
  // A program without the default settings payload has nothing to write anywhere.
  g_SettingFile = g_AppDir + "setting.dll";
  bool defaultPresent = FileExists(g_SettingFile) || ExtractPayload(kPayloadSetting, g_SettingFile, FALSE);
  std::string userDir;
  if (defaultPresent && !FileExists(g_SettingFile) && UserDataDir(userDir)) {
    g_SettingFile = userDir + "\\setting.dll";
    ExtractPayload(kPayloadSetting, g_SettingFile, FALSE);
  }
  GetPrivateProfileStringA("Setting", "PrinterName", kModelName, g_PrinterName, sizeof g_PrinterName,
                           g_SettingFile.c_str());
}
