#include "shared/UserDataDir.h"

#include <windows.h>

#include "framework/PathText.h"
#include "shared/globals.h"

namespace {

constexpr const char* kFolderName = "K7X setup";

}  // namespace

bool UserDataDir(std::string& dir) {
  char temp[kPathBufferSize] = {0};
  DWORD length = GetTempPathA(sizeof temp, temp);
  if (length == 0 || length >= sizeof temp) return false;
  dir = std::string(temp, length);
  if (dir.back() != '\\') dir += '\\';
  dir += kFolderName;
  CreateDirectoryA(dir.c_str(), nullptr);
  return FileExists(dir);
}
