// LoadLibraryA, GetProcAddress and FreeLibrary for the system libraries winemu provides, winspool.drv
// and comctl32.dll, which are not among Windows' known DLLs: a bare name is looked for as Windows
// looks for a library (the program's own directory, the system directory, the 16-bit system
// directory, the Windows directory, the current directory, then the default PATH), so a file of
// that name next to the program is found first. winemu loads no real library: a file found
// anywhere but as the system directory's own library fails as a file that is not a runnable image
// (ERROR_BAD_EXE_FORMAT); no file at all fails with ERROR_MOD_NOT_FOUND.
//
// Traced: "module.load <name> image=<library found> -> ok|error N" (without image= when nothing was
// found).
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <commctrl.h>
#include <windows.h>
#include "kernel32/file_object.h"
#include "machine/ini.h"
#include "machine/paths.h"

using namespace winemu;

namespace {

struct Library {
  const char* file;
  std::map<std::string, FARPROC> exports;
};

template <class F>
FARPROC Export(F function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

const std::vector<Library>& Libraries() {
  static const std::vector<Library> libraries = {
      {"winspool.drv",
       {{"EnumPrintersA", Export(&EnumPrintersA)},
        {"EnumPrinterDriversA", Export(&EnumPrinterDriversA)},
        {"GetPrinterDriverDirectoryA", Export(&GetPrinterDriverDirectoryA)},
        {"OpenPrinterA", Export(&OpenPrinterA)},
        {"DeleteFormA", Export(&DeleteFormA)},
        {"ClosePrinter", Export(&ClosePrinter)},
        {"DeletePrinter", Export(&DeletePrinter)},
        {"DeletePrinterDriverA", Export(&DeletePrinterDriverA)}}},
      {"comctl32.dll",
       {{"InitCommonControls", Export(&InitCommonControls)},
        {"InitCommonControlsEx", Export(&InitCommonControlsEx)}}},
  };
  return libraries;
}

// How often each library is loaded in the running program.
struct LoadedLibraries {
  explicit LoadedLibraries(Machine&) {}
  std::map<const Library*, int> references;
};

std::string SystemDirectory() { return M().Config().windowsDir + "\\system32"; }

// The system directory's own library at `path`, if it is one.
const Library* SystemLibraryAt(const std::string& path) {
  for (const Library& library : Libraries())
    if (EqualsNoCase(path, SystemDirectory() + "\\" + library.file)) return &library;
  return nullptr;
}

bool IsFile(const std::string& path) {
  ResolvedPath p;
  return ResolvePath(path, p) == 0 && p.exists && !p.directory;
}

bool Exists(const std::string& path) { return SystemLibraryAt(path) || IsFile(path); }

// The full path of the library `name` names, when there is one.
std::optional<std::string> FindLibrary(std::string name) {
  size_t slash = name.find_last_of("\\/");
  if (name.find('.', slash == std::string::npos ? 0 : slash) == std::string::npos) name += ".dll";
  if (slash != std::string::npos || name.find(':') != std::string::npos) {
    ResolvedPath p;
    if (ResolvePath(name, p) != 0 || !Exists(p.windows)) return std::nullopt;
    return p.windows;
  }
  const std::string& program = M().Config().program;
  const std::string& windows = M().Config().windowsDir;
  for (const std::string& dir : {program.substr(0, program.rfind('\\')), SystemDirectory(), windows + "\\system",
                                 windows, M().currentDirectory, SystemDirectory(), windows,
                                 SystemDirectory() + "\\Wbem"})
    if (Exists(dir + "\\" + name)) return dir + "\\" + name;
  return std::nullopt;
}

const Library* LibraryOf(HMODULE module) {
  for (const Library& library : Libraries())
    if (module == reinterpret_cast<HMODULE>(const_cast<Library*>(&library))) return &library;
  return nullptr;
}

}  // namespace

// With LOAD_WITH_ALTERED_SEARCH_PATH a library's own dependencies are looked for from its directory;
// winemu's libraries have none to look for.
HMODULE WINAPI LoadLibraryExA(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags) {
  if (hFile || (dwFlags & ~static_cast<DWORD>(LOAD_WITH_ALTERED_SEARCH_PATH))) return SetError(ERROR_INVALID_PARAMETER), nullptr;
  return LoadLibraryA(lpLibFileName);
}

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
  std::string name = lpLibFileName ? lpLibFileName : "";
  std::optional<std::string> path = name.empty() ? std::nullopt : FindLibrary(name);
  const Library* library = path ? SystemLibraryAt(*path) : nullptr;
  DWORD err = library ? 0 : path ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND;
  TraceResult("module.load", TracePath(name) + (path ? " image=" + TracePath(*path) : ""), err);
  SetError(err);
  if (!library) return nullptr;
  ++M().State<LoadedLibraries>().references[library];
  return reinterpret_cast<HMODULE>(const_cast<Library*>(library));
}

namespace {

// kernel32's exports that programs look up at run time because older systems lack them:
// IsWow64Process came with XP (and every 64-bit Windows has it).
FARPROC Kernel32Export(LPCSTR name) {
  const MachineConfig& c = M().Config();
  bool xpOrLater = c.major > 5 || (c.major == 5 && c.minor >= 1);
  if (reinterpret_cast<uintptr_t>(name) > 0xFFFF && std::string(name) == "IsWow64Process" && (xpOrLater || c.x64))
    return SetError(0), Export(&IsWow64Process);
  return SetError(ERROR_PROC_NOT_FOUND), nullptr;
}

}  // namespace

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  if (hModule && hModule == GetModuleHandleA("kernel32.dll")) return Kernel32Export(lpProcName);
  const Library* library = LibraryOf(hModule);
  if (!library || M().State<LoadedLibraries>().references[library] == 0) return SetError(ERROR_MOD_NOT_FOUND), nullptr;
  // A name, or an ordinal in the low word; winemu's libraries export by name only.
  auto it = reinterpret_cast<uintptr_t>(lpProcName) > 0xFFFF ? library->exports.find(lpProcName)
                                                             : library->exports.end();
  if (it == library->exports.end()) return SetError(ERROR_PROC_NOT_FOUND), nullptr;
  SetError(0);
  return it->second;
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  const Library* library = LibraryOf(hLibModule);
  int* references = library ? &M().State<LoadedLibraries>().references[library] : nullptr;
  if (!references || *references == 0) return SetError(ERROR_MOD_NOT_FOUND), FALSE;
  --*references;
  SetError(0);
  return TRUE;
}
