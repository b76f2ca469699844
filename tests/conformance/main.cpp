// The conformance suite: the Win32 functions the programs use, checked the same way on Windows,
// Wine and winemu. Each part leaves the machine as it found it, apart from the scratch folder,
// which is removed at the end, and the driver, the printer and the default printer the
// spooler's install part adds.
#include <windows.h>

#include "check.h"
#include "parts.h"
#include "scratch.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace conformance;
  ok(CreateDirectoryA(kScratch, nullptr), "CreateDirectoryA(%s) failed with %u, expected success", kScratch,
     static_cast<unsigned>(GetLastError()));
  CheckFiles();
  CheckDelayedMoves();
  CheckFind();
  CheckDoubleByteText();
  CheckProfile();
  CheckProfileEdges();
  CheckResources();
  CheckRegistry();
  CheckRegistryEdges();
  CheckServices();
  CheckSecurity();
  CheckSpooler();
  CheckSpoolerEdges();
  CheckDrivers();
  CheckSpoolerInstall();
  CheckDefaultPrinterChoice();
  CheckDeletions();
  CheckProcesses();
  CheckDialogs();
  CheckKeyboard();
  CheckWindows();
  ok(RemoveDirectoryA(kScratch), "RemoveDirectoryA(%s) at the end failed with %u, expected an empty folder",
     kScratch, static_cast<unsigned>(GetLastError()));
  return Finish();
}
