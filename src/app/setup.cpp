// The start-up: the version code, the application object, and the wizard it builds and runs.
#include "app/PrinterNameCheck.h"
#include "app/SetupSwitches.h"
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

// Static construction order: the version code, then the application object.
int g_OSVersion = GetOSVersion();
CSetupApp theApp;

CSetupApp::CSetupApp() : CWinApp(nullptr) {}

BOOL CSetupApp::InitInstance() {
  CommandLineResult command = ParseCommandLine(GetCommandLineA(), kSetupSwitches);
  m_nExitCode = kExitSuccess;
  if (command.options.any) m_nExitCode = RunWithArguments(command);
  else if (PrepareStartup()) RunWizard();
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
  // Nothing of the machine changes before both checks: the name, then the rights to install.
  return CheckPrinterNameOrTellUser(g_PrinterName) &&
         RequireAdministratorRights(g_WizardLanguage, m_strAppName.c_str());
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
  g_SettingFile = g_AppDir + "setting.dll";
  if (!FileExists(g_SettingFile)) ExtractPayload(kPayloadSetting, g_SettingFile, FALSE);
  std::string userDir;
  if (!FileExists(g_SettingFile) && UserDataDir(userDir)) {
    g_SettingFile = userDir + "\\setting.dll";
    ExtractPayload(kPayloadSetting, g_SettingFile, FALSE);
  }
  GetPrivateProfileStringA("Setting", "PrinterName", kModelName, g_PrinterName, sizeof g_PrinterName,
                           g_SettingFile.c_str());
}
