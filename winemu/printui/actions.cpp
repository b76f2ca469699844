#include "actions.h"

#include <fstream>
#include <sstream>
#include <windows.h>

#include "install_plan.h"
#include "kernel32/file_object.h"
#include "winspool/spooler_store.h"

namespace winemu::printui {
namespace {

std::string Quoted(const std::string& ansi) { return std::string("\"").append(TracePath(ansi)).append("\""); }

bool Present(const std::string& path, ResolvedPath* resolved = nullptr) {
  ResolvedPath p;
  std::error_code ec;
  bool present = ResolvePath(path, p) == 0 && p.exists && std::filesystem::is_regular_file(p.host, ec);
  if (resolved) *resolved = p;
  return present;
}

std::optional<std::string> ReadWindowsFile(const std::string& path) {
  ResolvedPath p;
  if (!Present(path, &p)) return std::nullopt;
  std::ifstream in(p.host, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string UniquePrinterName(const std::string& base) {
  std::string name = base;
  for (int n = 1; spooler::FindPrinter(name); ++n) name = base + " (Copy " + std::to_string(n) + ")";
  return name;
}

// The lowest N with no oemN.inf in the Windows inf folder.
std::string NextOemInf() {
  std::string dir = M().Config().windowsDir + "\\inf\\oem";
  for (int n = 0;; ++n)
    if (!Present(dir + std::to_string(n) + ".inf")) return dir + std::to_string(n) + ".inf";
}

std::uint32_t SetValue(const PlannedValue& v) {
  HKEY key = nullptr;
  LONG err = RegCreateKeyExA(v.root, v.subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
  if (err != ERROR_SUCCESS) return static_cast<std::uint32_t>(err);
  bool keep = v.keyOnly || (v.noClobber && RegQueryValueExA(key, v.name.c_str(), nullptr, nullptr, nullptr, nullptr) ==
                                               ERROR_SUCCESS);
  if (!keep)
    err = RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                         static_cast<DWORD>(v.data.size()));
  RegCloseKey(key);
  return static_cast<std::uint32_t>(err);
}

std::uint32_t Copy(const std::string& from, const std::string& to) {
  if (CopyFileA(from.c_str(), to.c_str(), FALSE)) return 0;
  return Refuse(GetLastError(), "cannot copy " + TracePath(from) + " to " + TracePath(to) + " (error " +
                                    std::to_string(GetLastError()) + ")");
}

// The precompiled form Setup keeps beside an INF copy.
void WritePnf(const std::string& infCopy) {
  std::string pnf = infCopy.substr(0, infCopy.size() - 4) + ".pnf";
  std::string text = "PNF precompiled " + infCopy.substr(infCopy.rfind('\\') + 1) + "\r\n";
  HANDLE h = CreateFileA(pnf.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(h);
}

}  // namespace

std::uint32_t Refuse(std::uint32_t code, const std::string& why) {
  Trace("printui.error", why);
  return code;
}

std::uint32_t InstallFromInf(const Command& command, const std::string& currentDirectory) {
  std::string infPath;
  if (NormalizePath(command.infPath, currentDirectory, infPath) != 0) infPath = command.infPath;
  Trace("printui.install", "from " + TracePath(infPath) + " model " + Quoted(command.model) + " printer " +
                               Quoted(command.baseName) + " port " + Quoted(command.port));
  if (!spooler::SpoolerRunning()) return Refuse(RPC_S_SERVER_UNAVAILABLE, "the print spooler is not running");
  std::optional<std::string> bytes = ReadWindowsFile(infPath);
  if (!bytes) return Refuse(ERROR_FILE_NOT_FOUND, "cannot read the INF file " + TracePath(infPath));
  InfParseResult parsed = ParseInf(*bytes);
  if (!parsed.error.empty()) return Refuse(kErrorInvalidData, TracePath(infPath) + " " + parsed.error);

  const MachineConfig& config = M().Config();
  std::string driverDir = spooler::DriverDirectory();
  PlanInputs inputs{command.model, infPath.substr(0, infPath.rfind('\\')), driverDir, config.major, config.minor};
  PlanResult planned = PlanInstall(parsed.inf, inputs);
  if (!planned.plan) return Refuse(planned.code, TracePath(infPath) + ": " + planned.error);
  InstallPlan& plan = *planned.plan;
  std::vector<std::string> sources;
  for (const PlannedFile& f : plan.files) {
    std::string found;
    for (const std::string& s : f.sources)
      if (found.empty() && Present(s)) found = s;
    if (found.empty()) return Refuse(ERROR_FILE_NOT_FOUND, "missing file " + TracePath(f.sources.front()));
    sources.push_back(found);
  }

  std::string target = driverDir + "\\3";
  ResolvedPath targetDir;
  if (ResolvePath(target, targetDir) == 0 && !targetDir.exists) CreateDirectoryA(target.c_str(), nullptr);
  for (size_t i = 0; i < plan.files.size(); ++i)
    if (std::uint32_t err = Copy(sources[i], target + "\\" + plan.files[i].name)) return err;
  for (const PlannedValue& v : plan.values)
    if (std::uint32_t err = SetValue(v))
      return Refuse(err, "cannot set " + TracePath(v.rootName + "\\" + v.subkey) + " " + Quoted(v.name) +
                             " (error " + std::to_string(err) + ")");
  spooler::AddDriver(plan.driver);
  spooler::PrinterRecord printer;
  printer.name = UniquePrinterName(command.baseName);
  printer.driver = plan.driver.name;
  printer.port = command.port;
  spooler::AddPrinter(printer);
  std::string infCopy = NextOemInf();
  if (std::uint32_t err = Copy(infPath, infCopy)) return err;
  WritePnf(infCopy);
  Trace("printui.install", "done: printer " + Quoted(printer.name) + " driver " + Quoted(plan.driver.name) +
                               " INF kept as " + TracePath(infCopy));
  return 0;
}

std::uint32_t SetDefault(const Command& command) {
  if (!spooler::SpoolerRunning()) return Refuse(RPC_S_SERVER_UNAVAILABLE, "the print spooler is not running");
  std::optional<spooler::PrinterRecord> printer = spooler::FindPrinter(command.printer);
  if (!printer) return Refuse(ERROR_INVALID_PRINTER_NAME, "no printer " + Quoted(command.printer));
  Trace("printui.setdefault", Quoted(printer->name));
  spooler::SetDefaultPrinter(printer->name);
  return 0;
}

}  // namespace winemu::printui
