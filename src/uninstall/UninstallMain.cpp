// The uninstaller uninstall<N>.exe, which the system's list of installed software starts: it checks
// the user's rights and asks before it changes anything, removes the installation of the printer N
// and tells the outcome. Exit codes: kRemoved when everything is gone, otherwise what stopped it.
#include <windows.h>

#include "shared/ComposeText.h"
#include "shared/TextLanguage.h"
#include "sys/AdminRights.h"
#include "sys/SingleRun.h"
#include "sys/SpoolerRecovery.h"
#include "uninstall/RemoveInstallation.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/UninstallerName.h"

namespace {

enum ExitCode { kRemoved = 0, kIncomplete = 1, kCancelled = 2, kNoRights = 3, kBadName = 4, kAnotherRun = 5 };

// A message box of the uninstaller: no owner, the text naming the printer.
int Ask(const char* format, const char* printerName, const char* caption, UINT style) {
  char text[1024];
  if (!ComposeText(text, format, printerName)) return 0;
  return MessageBoxA(nullptr, text, caption, style);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TextLanguage language = SystemTextLanguage(GetSystemDefaultLangID());
  const UninstallTexts& texts = TextsFor(language);

  char programPath[MAX_PATH] = {0};
  DWORD length = GetModuleFileNameA(nullptr, programPath, sizeof programPath);
  char printerName[MAX_PATH];
  char caption[MAX_PATH];
  if (length == 0 || length >= sizeof programPath || !PrinterNameFromProgramPath(programPath, printerName) ||
      !ComposeText(caption, texts.caption, printerName)) {
    MessageBoxA(nullptr, texts.badName, "uninstall", MB_OK | MB_ICONSTOP);
    return kBadName;
  }

  if (!RequireAdministratorRights(language, caption)) return kNoRights;
  // One installation or removal at a time, held until the program ends.
  CSingleRun onlyRun;
  if (!onlyRun.TellUserIfNotOnly(language, caption)) return kAnotherRun;
  if (Ask(texts.confirm, printerName, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) != IDYES) return kCancelled;

  StartSpoolerIfStopped();

  bool removed = RemoveInstallation(printerName, programPath) == RemovalStep::Done;
  Ask(removed ? texts.removed : texts.incomplete, printerName, caption,
      MB_OK | (removed ? MB_ICONINFORMATION : MB_ICONWARNING));
  return removed ? kRemoved : kIncomplete;
}
