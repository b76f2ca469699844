#include "print_ui.h"

#include <winspool.h>

#include <optional>
#include <vector>

#include "command_line.h"
#include "install_plan.h"

namespace printui {
namespace {

// The folder of a path: what comes before its last backslash, walking by characters of the ANSI
// code page (a double-byte character's trail byte may be 0x5C).
std::string FolderOf(const std::string& path) {
  size_t slash = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(path[i])) && i + 1 < path.size()) ++i;
    else if (path[i] == '\\') slash = i;
  }
  return path.substr(0, slash);
}

constexpr int kMaxCopies = 99;  // "(Copy 1)" .. "(Copy 99)" before giving up on a base name

std::string Quoted(const std::string& s) { return std::string("\"").append(s).append("\""); }
std::string ErrorText(DWORD err) { return " (error " + std::to_string(err) + ")"; }

bool IsAbsolute(const std::string& path) {
  return (path.size() > 1 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(h, chunk, sizeof chunk, &got, nullptr)) && got > 0) bytes.append(chunk, got);
  CloseHandle(h);
  if (!ok) return std::nullopt;
  return bytes;
}

class Installer {
 public:
  Installer(const Command& command, const std::string& currentDirectory, Notes& notes)
      : command_(command), notes_(notes) {
    inf_ = IsAbsolute(command.infPath) ? command.infPath : currentDirectory + "\\" + command.infPath;
  }

  DWORD Run() {
    notes_.Note("printui.install", "from " + inf_ + " model " + Quoted(command_.model) + " printer " +
                                       Quoted(command_.baseName) + " port " + Quoted(command_.port));
    if (DWORD err = FindDriverDirectory()) return err;
    std::optional<std::string> bytes = ReadWholeFile(inf_);
    if (!bytes) return Refuse(ERROR_FILE_NOT_FOUND, "cannot read the INF file " + inf_);
    InfParseResult parsed = ParseInf(*bytes);
    if (!parsed.error.empty()) return Refuse(kErrorInvalidData, inf_ + " " + parsed.error);
    PlanResult planned = PlanInstall(parsed.inf, Inputs());
    if (!planned.plan) return Refuse(planned.code, inf_ + ": " + planned.error);
    const InstallPlan& plan = *planned.plan;
    std::vector<std::string> sources;
    for (const PlannedFile& f : plan.files) {
      std::string found;
      for (const std::string& s : f.sources)
        if (found.empty() && IsFile(s)) found = s;
      if (found.empty()) return Refuse(ERROR_FILE_NOT_FOUND, "missing file " + f.sources.front());
      sources.push_back(found);
    }

    for (size_t i = 0; i < plan.files.size(); ++i) {
      std::string target = driverDirectory_ + "\\" + plan.files[i].name;
      // A file taken from the driver directory is in its place already; a copy onto itself fails.
      if (SameName(sources[i], target)) continue;
      if (DWORD err = Copy(sources[i], target, false)) return err;
    }
    for (const PlannedValue& v : plan.values)
      if (DWORD err = SetValue(v))
        return Refuse(err, "cannot set " + v.rootName + "\\" + v.subkey + " " + Quoted(v.name) + ErrorText(err));
    if (DWORD err = InstallDriver(plan.driver)) return err;
    std::string printer;
    if (DWORD err = InstallPrinter(plan.driver.name, printer)) return err;
    std::string infCopy;
    if (DWORD err = KeepInf(infCopy)) return err;
    notes_.Note("printui.install", "done: printer " + Quoted(printer) + " driver " + Quoted(plan.driver.name) +
                                       " INF kept as " + infCopy);
    return 0;
  }

 private:
  const Command& command_;
  Notes& notes_;
  std::string inf_;
  std::string driverDirectory_;

  DWORD Refuse(DWORD code, const std::string& why) {
    notes_.Note("printui.error", why);
    return code;
  }

  // The spooler's driver directory for the running system's own environment.
  DWORD FindDriverDirectory() {
    char dir[MAX_PATH] = {0};
    DWORD needed = 0;
    if (GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(dir), sizeof dir, &needed)) {
      driverDirectory_ = dir;
      return 0;
    }
    DWORD err = GetLastError();
    if (err == RPC_S_SERVER_UNAVAILABLE) return Refuse(err, "the print spooler is not running");
    return Refuse(err, "cannot find the printer driver directory" + ErrorText(err));
  }

  PlanInputs Inputs() const {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    PlanInputs in{command_.model, FolderOf(inf_), driverDirectory_, 5, 1};
    if (GetVersionExA(&version)) {
      in.major = static_cast<int>(version.dwMajorVersion);
      in.minor = static_cast<int>(version.dwMinorVersion);
    }
    return in;
  }

  DWORD Copy(const std::string& from, const std::string& to, bool failIfExists) {
    if (CopyFileA(from.c_str(), to.c_str(), failIfExists)) return 0;
    DWORD err = GetLastError();
    return Refuse(err, "cannot copy " + from + " to " + to + ErrorText(err));
  }

  static DWORD SetValue(const PlannedValue& v) {
    HKEY key = nullptr;
    LONG err = RegCreateKeyExA(v.root, v.subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
    if (err != ERROR_SUCCESS) return static_cast<DWORD>(err);
    bool keep = v.keyOnly || (v.noClobber && RegQueryValueExA(key, v.name.c_str(), nullptr, nullptr, nullptr,
                                                              nullptr) == ERROR_SUCCESS);
    if (!keep)
      err = RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                           static_cast<DWORD>(v.data.size()));
    RegCloseKey(key);
    return static_cast<DWORD>(err);
  }

  DWORD InstallDriver(const PlannedDriver& d) {
    std::string name = d.name, driver = d.driverPath, data = d.dataFile, config = d.configFile, help = d.helpFile;
    std::string dependents;
    for (const std::string& f : d.dependentFiles) dependents += f + '\0';
    dependents += '\0';
    DRIVER_INFO_3A info{};
    info.cVersion = 3;
    info.pName = name.data();
    info.pDriverPath = driver.data();
    info.pDataFile = data.data();
    info.pConfigFile = config.data();
    info.pHelpFile = help.data();
    info.pDependentFiles = dependents.data();
    if (AddPrinterDriverExA(nullptr, 3, reinterpret_cast<LPBYTE>(&info), APD_COPY_NEW_FILES)) return 0;
    DWORD err = GetLastError();
    return Refuse(err, "cannot add the driver " + Quoted(d.name) + ErrorText(err));
  }

  // Adds the printer under the base name, or the first free "base (Copy N)".
  DWORD InstallPrinter(const std::string& driverName, std::string& printerName) {
    std::string driver = driverName, port = command_.port, processor = "WinPrint", datatype = "RAW";
    for (int copy = 0; copy <= kMaxCopies; ++copy) {
      printerName = copy ? command_.baseName + " (Copy " + std::to_string(copy) + ")" : command_.baseName;
      PRINTER_INFO_2A info{};
      info.pPrinterName = printerName.data();
      info.pPortName = port.data();
      info.pDriverName = driver.data();
      info.pPrintProcessor = processor.data();
      info.pDatatype = datatype.data();
      if (HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info))) {
        ClosePrinter(printer);
        return 0;
      }
      DWORD err = GetLastError();
      if (err != ERROR_PRINTER_ALREADY_EXISTS) return Refuse(err, "cannot add the printer " + Quoted(printerName) + ErrorText(err));
    }
    return Refuse(ERROR_PRINTER_ALREADY_EXISTS, "no free name for the printer " + Quoted(command_.baseName));
  }

  // Copies the INF to the lowest free oemN.inf of the Windows inf folder and writes its oemN.pnf.
  DWORD KeepInf(std::string& infCopy) {
    char windows[MAX_PATH] = {0};
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string stem;
    for (int n = 0; stem.empty(); ++n)
      if (!IsFile(std::string(windows) + "\\inf\\oem" + std::to_string(n) + ".inf"))
        stem = std::string(windows) + "\\inf\\oem" + std::to_string(n);
    infCopy = stem + ".inf";
    if (DWORD err = Copy(inf_, infCopy, true)) return err;
    std::string text = "PNF precompiled " + infCopy.substr(infCopy.rfind('\\') + 1) + "\r\n";
    HANDLE h = CreateFileA((stem + ".pnf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      CloseHandle(h);
    }
    return 0;
  }
};

DWORD SetDefault(const Command& command, Notes& notes) {
  notes.Note("printui.setdefault", Quoted(command.printer));
  if (SetDefaultPrinterA(command.printer.c_str())) return 0;
  DWORD err = GetLastError();
  if (err == RPC_S_SERVER_UNAVAILABLE) notes.Note("printui.error", "the print spooler is not running");
  else if (err == ERROR_INVALID_PRINTER_NAME) notes.Note("printui.error", "no printer " + Quoted(command.printer));
  else notes.Note("printui.error", "cannot make " + Quoted(command.printer) + " the default printer" + ErrorText(err));
  return err;
}

}  // namespace

DWORD PrintUIEntry(std::string_view arguments, const std::string& currentDirectory, Notes& notes) {
  CommandParseResult parsed = ParseCommand(SplitArguments(arguments));
  if (!parsed.command) {
    notes.Note("printui.error", parsed.error);
    return ERROR_INVALID_PARAMETER;
  }
  if (parsed.command->action == Action::InstallFromInf)
    return Installer(*parsed.command, currentDirectory, notes).Run();
  return SetDefault(*parsed.command, notes);
}

}  // namespace printui
