// System libraries that are not among Windows' known DLLs (winspool.drv, comctl32.dll) are loaded
// only from the system directory, by full path, with their own dependencies looked for from there,
// and their functions are resolved at run time. A file of the same name in the program's directory
// or the current directory is never loaded, and the program's import table names only libraries
// Windows always takes from the system directory.
#pragma once

#include <windows.h>

class CSystemLibrary {
 public:
  // Loads `fileName` (e.g. "winspool.drv") from the system directory.
  explicit CSystemLibrary(const char* fileName);
  ~CSystemLibrary();
  CSystemLibrary(const CSystemLibrary&) = delete;
  CSystemLibrary& operator=(const CSystemLibrary&) = delete;

  // The library's function `name` as the pointer type F; nullptr when the library is not loaded or
  // has no such function.
  template <class F>
  F Function(const char* name) const {
    FARPROC address = m_hModule ? ::GetProcAddress(m_hModule, name) : nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(address));
  }

  HMODULE m_hModule;
};
