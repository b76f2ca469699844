// The uninstaller uninstall<N>.exe, which the system's list of installed software starts: it checks
// the user's rights and asks before it changes anything, removes the installation of the printer N
// and tells the outcome. With /quiet it asks nothing and shows nothing; /log=FILE appends every step
// to FILE (a quiet run without it logs to the Windows directory). Exit codes: kRemoved when
// everything is gone, otherwise what stopped it; 87 for a bad command line.
#include <windows.h>

#include "shared/CommandLine.h"
#include "shared/ComposeText.h"
#include "shared/ExitCodes.h"
#include "shared/RunLog.h"
#include "shared/TextLanguage.h"
#include "sys/AdminRights.h"
#include "sys/SingleRun.h"
#include "sys/SpoolerRecovery.h"
#include "uninstall/RemoveInstallation.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/UninstallerName.h"

namespace {

enum UninstallExit {
  kRemoved = 0,
  kIncomplete = 1,
  kCancelled = 2,
  kNoRights = 3,
  kBadName = 4,
  kAnotherRun = kExitAlreadyRunning,  // setup or another uninstaller is running
};

constexpr const char* kDefaultLogName = "K7Xuninstall.log";

// A message box of the uninstaller: no owner, the text naming the printer.
int Ask(const char* format, const char* printerName, const char* caption, UINT style) {
  char text[1024];
  if (!ComposeText(text, format, printerName)) return 0;
  return MessageBoxA(nullptr, text, caption, style);
}

int Finish(int code) {
  LogLine("Exit code %d", code);
  CloseRunLog();
  return code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TextLanguage language = SystemTextLanguage(GetSystemDefaultLangID());
  const UninstallTexts& texts = TextsFor(language);

  CommandLineResult command = ParseCommandLine(GetCommandLineA(), kSwitchQuiet | kSwitchLog);
  bool quiet = command.options.mode == RunMode::Quiet;
  if (!command.error.empty()) {
    if (!quiet) MessageBoxA(nullptr, command.error.c_str(), "uninstall", MB_OK | MB_ICONSTOP);
    return kExitInvalidParameter;
  }
  char defaultLog[MAX_PATH];
  if (!command.options.log.empty()) {
    if (!OpenRunLog(command.options.log.c_str())) {
      if (!quiet) MessageBoxA(nullptr, "The log file cannot be opened.", "uninstall", MB_OK | MB_ICONSTOP);
      return kExitInvalidParameter;
    }
  } else if (quiet && DefaultLogPath(defaultLog, kDefaultLogName)) {
    OpenRunLog(defaultLog);  // without it the run goes on unlogged
  }
  LogLine("Uninstall started: %s", GetCommandLineA());

  char programPath[MAX_PATH] = {0};
  DWORD length = GetModuleFileNameA(nullptr, programPath, sizeof programPath);
  char printerName[MAX_PATH];
  char caption[MAX_PATH];
  if (length == 0 || length >= sizeof programPath || !PrinterNameFromProgramPath(programPath, printerName) ||
      !ComposeText(caption, texts.caption, printerName)) {
    LogLine("The program's file name carries no usable printer name: %s", programPath);
    if (!quiet) MessageBoxA(nullptr, texts.badName, "uninstall", MB_OK | MB_ICONSTOP);
    return Finish(kBadName);
  }

  if (quiet ? !HasAdministratorRights() : !RequireAdministratorRights(language, caption)) {
    LogLine("No administrator rights: nothing changed");
    return Finish(kNoRights);
  }
  // One installation or removal at a time, held until the program ends.
  CSingleRun onlyRun;
  if (quiet ? !onlyRun.IsOnlyRun() : !onlyRun.TellUserIfNotOnly(language, caption)) {
    LogLine("Another installation or removal is running: nothing changed");
    return Finish(kAnotherRun);
  }
  if (!quiet && Ask(texts.confirm, printerName, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) != IDYES) {
    LogLine("The user said No: nothing changed");
    return Finish(kCancelled);
  }

  StartSpoolerIfStopped();

  bool removed = RemoveInstallation(printerName, programPath) == RemovalStep::Done;
  LogLine(removed ? "Printer %s removed" : "Printer %s not wholly removed: run the uninstaller again", printerName);
  if (!quiet)
    Ask(removed ? texts.removed : texts.incomplete, printerName, caption,
        MB_OK | (removed ? MB_ICONINFORMATION : MB_ICONWARNING));
  return Finish(removed ? kRemoved : kIncomplete);
}
