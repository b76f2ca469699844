// Which payload goes to which staged file for the running system and the chosen languages, and the
// copy of the staged driver files into the driver directory.
#pragma once

#include <windows.h>

#include "shared/DriverFiles.h"
#include "shared/InstallRun.h"

enum class CoreVariant { Chinese, English };
enum class PluginVariant { SimplifiedChinese, TraditionalChinese, English };

struct StagingChoice {
  PayloadSet set;
  CoreVariant core;
  PluginVariant plugins;
};

// The set by the version code (XP, Windows 2000, any other the general set), the core by the
// system language (low byte 4: Chinese), the plug-ins by the language choice and the system
// language (English when chosen, else simplified Chinese on 2052, else traditional Chinese).
StagingChoice ChooseStaging(int osVersion, LANGID systemLanguage, WORD languageChoice);

// Writes the uninstaller to C:\TEMP\uninstallN.exe, creates the staging directories again, writes
// the INF to C:\TEMP\N.INF (naming N's files) and copies the uninstaller into the driver
// directory. Every staged file is made anew (one left in its place would keep its own owner and
// DACL), and a copy is made only of a file that holds what this run wrote. False when a file was
// not written.
bool StageUninstallerAndInf(PayloadWriter& writer);

// Writes the 11 rows of driver files of the chosen set and variants to C:\TEMP, the plug-ins and
// the resource library also to C:\TEMP\I386 and C:\TEMP\x86; the model GPD and INI rewritten for N.
// False when a file was not written (every row is still tried).
bool StageDriverFiles(PayloadWriter& writer, const StagingChoice& choice);

// Copies the staged driver files into the driver directory in the copy list's order, with the
// letter cases of the chosen set for the resource library and the two plug-ins. A staged file that
// does not hold what this run wrote there is not copied; false then.
bool CopyDriverFilesToDriverDir(const StagingChoice& choice);
