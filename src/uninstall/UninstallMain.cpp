// The uninstaller uninstall<N>.exe, which the system's list of installed software starts: it asks
// before it changes anything, removes the installation of the printer N and tells the outcome.
// Exit codes: kRemoved when everything is gone, otherwise what stopped it.
#include <windows.h>

#include "shared/TextLanguage.h"
#include "sys/ComposeText.h"
#include "uninstall/RemoveInstallation.h"
#include "uninstall/UninstallTexts.h"
#include "uninstall/UninstallerName.h"

namespace {

enum ExitCode { kRemoved = 0, kIncomplete = 1, kCancelled = 2, kNoRights = 3, kBadName = 4 };

// A message box of the uninstaller: no owner, the caption naming the printer.
int Ask(const char* format, const char* printerName, const char* captionFormat, UINT style) {
  char text[1024];
  char caption[MAX_PATH];
  if (!ComposeText(text, format, printerName) || !ComposeText(caption, captionFormat, printerName)) return 0;
  return MessageBoxA(nullptr, text, caption, style);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const UninstallTexts& texts = TextsFor(SystemTextLanguage(GetSystemDefaultLangID()));

  char programPath[MAX_PATH] = {0};
  DWORD length = GetModuleFileNameA(nullptr, programPath, sizeof programPath);
  char printerName[MAX_PATH];
  if (length == 0 || length >= sizeof programPath || !PrinterNameFromProgramPath(programPath, printerName)) {
    MessageBoxA(nullptr, texts.badName, "uninstall", MB_OK | MB_ICONSTOP);
    return kBadName;
  }

  if (Ask(texts.confirm, printerName, texts.caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) != IDYES)
    return kCancelled;

  bool removed = RemoveInstallation(printerName, programPath) == RemovalStep::Done;
  Ask(removed ? texts.removed : texts.incomplete, printerName, texts.caption,
      MB_OK | (removed ? MB_ICONINFORMATION : MB_ICONWARNING));
  return removed ? kRemoved : kIncomplete;
}
