// The program-wide state; g_OSVersion and the application object are defined by the start-up.
#include "shared/globals.h"

std::string g_LanguageFile;
std::string g_SettingFile;
std::string g_AppDir;
char g_PrinterName[kPathBufferSize];
WORD g_LanguageChoice;
BYTE g_InstallDone;
char g_DriverEnvironment[kPathBufferSize];
