#include "removal/OemInfCopies.h"

#include <windows.h>

#include <cstring>

#include "framework/StdioFile.h"
#include "shared/ComposeText.h"
#include "shared/RunLog.h"
#include "shared/constants.h"

namespace {

constexpr int kOemInfCount = 100;  // oem0 .. oem99

// A deletion that leaves no file behind: done, or there was nothing to delete.
bool DeletedOrAbsent(const char* path) {
  if (!DeleteFileA(path)) return GetLastError() == ERROR_FILE_NOT_FOUND;
  LogLine("Deleted %s", path);
  return true;
}

}  // namespace

bool IsModelOemInf(const char* path) {
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

bool RemoveModelOemInfs(CompanionOrder order) {
  char windowsDir[kPathBufferSize] = {0};
  UINT length = GetWindowsDirectoryA(windowsDir, sizeof windowsDir);
  if (length == 0 || length >= sizeof windowsDir) return false;
  bool allGone = true;
  for (int n = 0; n < kOemInfCount; ++n) {
    char infPath[kPathBufferSize];
    char pnfPath[kPathBufferSize];
    if (!ComposeText(infPath, "%s\\inf\\oem%d.inf", windowsDir, n) ||
        !ComposeText(pnfPath, "%s\\inf\\oem%d.pnf", windowsDir, n))
      continue;
    if (!IsModelOemInf(infPath)) continue;
    bool infGone = false;
    bool pnfGone = false;
    if (order == CompanionOrder::InfLast) {
      pnfGone = DeletedOrAbsent(pnfPath);
      infGone = DeletedOrAbsent(infPath);
    } else {
      infGone = DeletedOrAbsent(infPath);
      pnfGone = DeletedOrAbsent(pnfPath);
    }
    allGone = infGone && pnfGone && allGone;
  }
  return allGone;
}
