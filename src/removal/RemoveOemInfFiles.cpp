// The OEM copies of the driver's INF in the Windows inf folder: oem0.inf to oem99.inf are read in
// pieces of at most 259 characters, and a copy whose text shows "Class=Printer", then
// "[Manufacturer]" or ".GPD", then "K7X" (in that piece or a later one) is deleted with its .pnf.
#include <windows.h>

#include <cstring>

#include "framework/StdioFile.h"
#include "shared/SetupApp.h"
#include "shared/constants.h"
#include "sys/ComposeText.h"

namespace {

constexpr int kOemInfCount = 100;  // oem0 .. oem99

// Whether the INF at `path` belongs to the K7X driver; a file that cannot be opened or read does not.
bool IsModelInf(const char* path) {
  CStdioFile file;
  CFileException error;
  if (!file.Open(path, CStdioFile::modeRead | CStdioFile::typeText, &error)) return false;
  bool classSeen = false, manufacturerSeen = false, gpdSeen = false, match = false;
  char piece[kPathBufferSize];
  try {
    while (!match && file.ReadString(piece, sizeof piece)) {
      if (std::strstr(piece, "Class=Printer")) classSeen = true;
      if (std::strstr(piece, "[Manufacturer]")) manufacturerSeen = true;
      if (std::strstr(piece, ".GPD")) gpdSeen = true;
      if (classSeen && (gpdSeen || manufacturerSeen) && std::strstr(piece, kModelName)) match = true;
    }
  } catch (CFileException* e) {
    delete e;
    match = false;
  }
  file.Close();
  return match;
}

}  // namespace

BOOL CSetupApp::RemoveOemInfFiles() {
  char windowsDir[kPathBufferSize] = {0};
  UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
  if (length == 0 || length >= sizeof windowsDir) return FALSE;
  for (int n = 0; n < kOemInfCount; ++n) {
    char infPath[kPathBufferSize];
    char pnfPath[kPathBufferSize];
    if (!ComposeText(infPath, "%s\\inf\\oem%d.inf", windowsDir, n) ||
        !ComposeText(pnfPath, "%s\\inf\\oem%d.pnf", windowsDir, n))
      continue;
    if (!IsModelInf(infPath)) continue;
    DeleteFileA(infPath);
    DeleteFileA(pnfPath);
  }
  return TRUE;
}
