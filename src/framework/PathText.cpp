#include "framework/PathText.h"

#include <windows.h>

bool FileExists(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(path.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  return true;
}

const char* FileNameOf(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; p = CharNextExA(CP_ACP, p, 0))
    if (*p == '\\' || *p == '/') name = p + 1;
  return name;
}
