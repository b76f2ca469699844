// The spooler functions of winspool.drv, taken from the system directory. winspool.drv is not one
// of the system's known DLLs, so an import would let the loader look for it first in the
// program's own directory, where anyone could place one. The program therefore does not import
// it: these definitions load the system's copy by its full path on first use and call through it.
// When it cannot be loaded, each call fails with ERROR_MOD_NOT_FOUND.
#include <windows.h>
#include <winspool.h>

namespace {

HMODULE SystemWinspool() {
  static HMODULE module = [] {
    char path[MAX_PATH];
    constexpr char kName[] = "\\winspool.drv";
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + sizeof kName > MAX_PATH) return static_cast<HMODULE>(nullptr);
    lstrcatA(path, kName);
    // Its own imports are then looked for beside it, in the system directory, too.
    return LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }();
  return module;
}

template <class Function>
Function Resolve(const char* name) {
  HMODULE module = SystemWinspool();
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

BOOL Unavailable() {
  SetLastError(ERROR_MOD_NOT_FOUND);
  return FALSE;
}

}  // namespace

BOOL WINAPI GetPrinterDriverDirectoryA(LPSTR pName, LPSTR pEnvironment, DWORD Level, LPBYTE pDriverDirectory,
                                       DWORD cbBuf, LPDWORD pcbNeeded) {
  static auto call = Resolve<decltype(&GetPrinterDriverDirectoryA)>("GetPrinterDriverDirectoryA");
  return call ? call(pName, pEnvironment, Level, pDriverDirectory, cbBuf, pcbNeeded) : Unavailable();
}

BOOL WINAPI EnumPrintersA(DWORD Flags, LPSTR Name, DWORD Level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded,
                          LPDWORD pcReturned) {
  static auto call = Resolve<decltype(&EnumPrintersA)>("EnumPrintersA");
  return call ? call(Flags, Name, Level, pPrinterEnum, cbBuf, pcbNeeded, pcReturned) : Unavailable();
}

BOOL WINAPI OpenPrinterA(LPSTR pPrinterName, LPHANDLE phPrinter, LPPRINTER_DEFAULTSA pDefault) {
  static auto call = Resolve<decltype(&OpenPrinterA)>("OpenPrinterA");
  return call ? call(pPrinterName, phPrinter, pDefault) : Unavailable();
}

BOOL WINAPI ClosePrinter(HANDLE hPrinter) {
  static auto call = Resolve<decltype(&ClosePrinter)>("ClosePrinter");
  return call ? call(hPrinter) : Unavailable();
}

BOOL WINAPI DeletePrinter(HANDLE hPrinter) {
  static auto call = Resolve<decltype(&DeletePrinter)>("DeletePrinter");
  return call ? call(hPrinter) : Unavailable();
}

BOOL WINAPI DeletePrinterDriverA(LPSTR pName, LPSTR pEnvironment, LPSTR pDriverName) {
  static auto call = Resolve<decltype(&DeletePrinterDriverA)>("DeletePrinterDriverA");
  return call ? call(pName, pEnvironment, pDriverName) : Unavailable();
}

BOOL WINAPI DeleteFormA(HANDLE hPrinter, LPSTR pFormName) {
  static auto call = Resolve<decltype(&DeleteFormA)>("DeleteFormA");
  return call ? call(hPrinter, pFormName) : Unavailable();
}
