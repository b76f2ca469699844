// Program-wide state, owned by the application shell and read across the system.
#pragma once

#include <windows.h>

#include <string>

#include "shared/TextLanguage.h"
#include "shared/constants.h"

extern std::string g_LanguageFile;  // full path of the language file in force
extern TextLanguage g_WizardLanguage;  // the language of that file
extern std::string g_SettingFile;   // g_AppDir + "setting.dll"
extern std::string g_AppDir;        // the program's directory, with its trailing backslash
extern int g_OSVersion;             // system version code, set before the application starts
extern char g_PrinterName[kPathBufferSize];  // printer name N from the settings file
extern WORD g_LanguageChoice;       // 0 Chinese, 1 English (system-and-language page)
extern BYTE g_InstallDone;          // the installation has run from the progress page
extern const char* const g_DriverEnvironment;  // kDriverEnvironment, from the program's start

// The state as a new process starts with it (g_OSVersion, set by the start-up, aside).
void ResetProgramState();
