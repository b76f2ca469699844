// A file error as the framework reports it: the cause and the Windows error code.
#pragma once

#include <windows.h>

#include <string>

class CFileException {
 public:
  enum Cause { none, genericException, fileNotFound, badPath, accessDenied, sharingViolation, endOfFile, diskFull };

  CFileException(int cause = none, LONG osError = 0, std::string fileName = {})
      : m_cause(cause), m_lOsError(osError), m_strFileName(std::move(fileName)) {}

  static int CauseFromOsError(LONG osError);

  int m_cause;
  LONG m_lOsError;
  std::string m_strFileName;
};
