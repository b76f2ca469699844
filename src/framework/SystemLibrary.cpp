#include "framework/SystemLibrary.h"

#include <cstdio>

CSystemLibrary::CSystemLibrary(const char* fileName) : m_hModule(nullptr) {
  char directory[MAX_PATH] = {0};
  UINT length = ::GetSystemDirectoryA(directory, sizeof directory);
  char path[MAX_PATH];
  if (length == 0 || length >= sizeof directory) return;
  int pathLength = std::snprintf(path, sizeof path, "%s\\%s", directory, fileName);
  if (pathLength < 0 || static_cast<size_t>(pathLength) >= sizeof path) return;
  m_hModule = ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// The caller may still want the error of the last call it made through the library.
CSystemLibrary::~CSystemLibrary() {
  DWORD error = ::GetLastError();
  if (m_hModule) ::FreeLibrary(m_hModule);
  ::SetLastError(error);
}
