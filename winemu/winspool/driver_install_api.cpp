// AddPrinterDriverExA: a version-3 driver for "Windows NT x86" from a level-3 record. A file given
// with a full path is taken from there, a bare name from the driver directory; each is copied into
// the driver directory's 3 subdirectory and the driver key keeps the names only. Every file is
// looked for before anything is copied, so a missing one adds nothing (ERROR_FILE_NOT_FOUND).
// APD_COPY_FROM_DIRECTORY asks for full paths. Files are always copied: time stamps are not
// compared. An installed driver of the same name is replaced.
//
// Traced: spooler.adddriver with its result; the spooler's copies as file.copy.
#include <optional>
#include <vector>

#include <windows.h>
#include "machine/ini.h"
#include "machine/machine.h"
#include "machine/paths.h"
#include "spooler_calls.h"
#include "spooler_store.h"

using namespace winemu;

namespace {

std::string Text(LPCSTR s) { return s ? s : ""; }

std::vector<std::string> MultiText(LPCSTR s) {
  std::vector<std::string> out;
  for (; s && *s; s += out.back().size() + 1) out.emplace_back(s);
  return out;
}

// The file name a path ends in, found by characters of the machine's code page.
std::string FileName(const std::string& path) {
  std::string name = FileNameIn(path, M().Config().codePage);
  return name.substr(name.find_last_of(':') + 1);
}

struct DriverFile {
  std::string source;  // full path
  std::string name;
};

// Where each named file comes from; the error when one is missing or not where the flags say.
DWORD LocateFiles(const std::vector<std::string>& given, DWORD flags, std::vector<DriverFile>& files) {
  std::string driverDir = spooler::DriverDirectory();
  for (const std::string& g : given) {
    bool fullPath = g.find('\\') != std::string::npos;
    if ((flags & APD_COPY_FROM_DIRECTORY) && !fullPath) return ERROR_INVALID_PARAMETER;
    std::string source = fullPath ? g : driverDir + "\\" + g;
    DWORD attributes = GetFileAttributesA(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_FILE_NOT_FOUND;
    files.push_back({source, FileName(g)});
  }
  return 0;
}

DWORD CopyFiles(const std::vector<DriverFile>& files) {
  std::string target = spooler::DriverDirectory() + "\\3\\";
  for (const DriverFile& f : files) {
    std::string to = target + f.name;
    if (EqualsNoCase(f.source, to)) continue;
    if (!CopyFileA(f.source.c_str(), to.c_str(), FALSE)) return GetLastError();
  }
  return 0;
}

}  // namespace

BOOL WINAPI AddPrinterDriverExA(LPSTR pName, DWORD Level, LPBYTE pDriverInfo, DWORD dwFileCopyFlags) {
  const auto* info = reinterpret_cast<const DRIVER_INFO_3A*>(pDriverInfo);
  std::string shown = Level == 3 && info ? spooler::Shown(Text(info->pName)) : "(no driver)";
  DWORD err = spooler::ChangeRequestError(pName, Level, 3, info);
  if (!err && info->cVersion != 3) err = ERROR_INVALID_PARAMETER;
  if (!err && info->pEnvironment && !EqualsNoCase(info->pEnvironment, spooler::kEnvironment))
    err = ERROR_INVALID_ENVIRONMENT;
  if (!err && (Text(info->pName).empty() || Text(info->pDriverPath).empty() || Text(info->pDataFile).empty() ||
               Text(info->pConfigFile).empty()))
    err = ERROR_INVALID_PARAMETER;
  std::vector<DriverFile> files;
  if (!err) {
    std::vector<std::string> given = {info->pDriverPath, info->pDataFile, info->pConfigFile};
    if (!Text(info->pHelpFile).empty()) given.push_back(info->pHelpFile);
    for (const std::string& d : MultiText(info->pDependentFiles)) given.push_back(d);
    err = LocateFiles(given, dwFileCopyFlags, files);
  }
  if (!err) err = CopyFiles(files);
  if (err) return spooler::CallResult("spooler.adddriver", shown, err);

  spooler::DriverRecord driver;
  driver.name = info->pName;
  driver.driverPath = FileName(info->pDriverPath);
  driver.dataFile = FileName(info->pDataFile);
  driver.configFile = FileName(info->pConfigFile);
  driver.helpFile = FileName(Text(info->pHelpFile));
  for (const std::string& d : MultiText(info->pDependentFiles)) driver.dependentFiles.push_back(FileName(d));
  driver.monitor = Text(info->pMonitorName);
  driver.defaultDatatype = Text(info->pDefaultDataType);
  spooler::AddDriver(driver);
  SetError(0);
  return TRUE;
}
