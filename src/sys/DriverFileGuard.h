// Which files of the spooler's driver directory D and of its subdirectory D\3 a removal may
// delete: none that another installed driver uses, and none named like a file of the Unidrv core,
// which every Unidrv driver shares.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Whether the bare file name is that of a Unidrv core file, letter case aside.
bool IsUnidrvCoreFileName(const char* fileName);

class CDriverFileGuard {
 public:
  // Reads, from the spooler's driver records (EnumPrinterDriversA, level 3), the driver, data,
  // configuration, help and dependent files of every installed driver except `ownDriver`.
  explicit CDriverFileGuard(const char* ownDriver);

  // TRUE when the bare file name may be deleted from D or D\3: the records could be read, no other
  // driver names the file, and it is not named like a Unidrv core file. Letter case aside.
  BOOL MayDelete(const char* fileName) const;

  // Whether the records could be read; without them no file may be deleted.
  BOOL RecordsRead() const { return m_bRecordsRead; }

 private:
  BOOL m_bRecordsRead;
  std::vector<std::string> m_usedFiles;  // bare names
};
