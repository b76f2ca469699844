// The program-wide state; g_OSVersion and the application object are defined by the start-up.
#include "shared/globals.h"

#include <algorithm>
#include <iterator>

std::string g_LanguageFile;
TextLanguage g_WizardLanguage = TextLanguage::English;
std::string g_SettingFile;
std::string g_AppDir;
char g_PrinterName[kPathBufferSize];
WORD g_LanguageChoice;
BYTE g_InstallDone;
const char* const g_DriverEnvironment = kDriverEnvironment;

void ResetProgramState() {
  g_LanguageFile.clear();
  g_WizardLanguage = TextLanguage::English;
  g_SettingFile.clear();
  g_AppDir.clear();
  std::fill(std::begin(g_PrinterName), std::end(g_PrinterName), '\0');
  g_LanguageChoice = 0;
  g_InstallDone = 0;
}
