#include "sys/DriverFileGuard.h"

#include <winspool.h>

#include <cstring>

#include "framework/PathText.h"
#include "framework/SystemLibrary.h"

#include "sys/Spooler.h"

namespace {

constexpr const char* kUnidrvCoreFiles[] = {"UNIDRV.DLL",   "UNIDRVUI.DLL", "UNIRES.DLL",   "UNIDRV.HLP",
                                            "STDNAMES.GPD", "STDDTYPE.GDL", "STDSCHEM.GDL", "STDSCHMX.GDL"};

// The records name files by full path; the removal deletes by bare name.
const char* BareName(const char* path) { return FileNameOf(path); }

}  // namespace

bool IsUnidrvCoreFileName(const char* fileName) {
  for (const char* core : kUnidrvCoreFiles)
    if (lstrcmpiA(fileName, core) == 0) return true;
  return false;
}

CDriverFileGuard::CDriverFileGuard(const char* ownDriver) : m_bRecordsRead(FALSE) {
  char environment[MAX_PATH] = {0};
  std::strcpy(environment, kDriverEnvironment);
  CSystemLibrary winspool("winspool.drv");
  auto enumDrivers = winspool.Function<decltype(&EnumPrinterDriversA)>("EnumPrinterDriversA");
  if (!enumDrivers) return;
  DWORD needed = 0;
  DWORD returned = 0;
  // No driver at all: the first call succeeds with nothing to return.
  if (enumDrivers(nullptr, environment, 3, nullptr, 0, &needed, &returned)) {
    m_bRecordsRead = TRUE;
    return;
  }
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return;
  std::vector<BYTE> buffer(needed, 0);
  if (!enumDrivers(nullptr, environment, 3, buffer.data(), needed, &needed, &returned)) return;
  if (returned > needed / sizeof(DRIVER_INFO_3A)) return;
  const auto* drivers = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
  for (DWORD i = 0; i < returned; ++i) {
    const DRIVER_INFO_3A& d = drivers[i];
    if (d.pName && lstrcmpiA(d.pName, ownDriver) == 0) continue;
    for (const char* file : {d.pDriverPath, d.pDataFile, d.pConfigFile, d.pHelpFile})
      if (file && *file) m_usedFiles.push_back(BareName(file));
    for (const char* file = d.pDependentFiles; file && *file; file += std::strlen(file) + 1)
      m_usedFiles.push_back(BareName(file));
  }
  m_bRecordsRead = TRUE;
}

BOOL CDriverFileGuard::MayDelete(const char* fileName) const {
  if (!m_bRecordsRead || IsUnidrvCoreFileName(fileName)) return FALSE;
  for (const std::string& used : m_usedFiles)
    if (lstrcmpiA(used.c_str(), fileName) == 0) return FALSE;
  return TRUE;
}
