#include "framework/StdioFile.h"

namespace {
constexpr DWORD kReadChunk = 4096;
constexpr int kCtrlZ = 0x1A;
}  // namespace

int CFileException::CauseFromOsError(LONG osError) {
  switch (osError) {
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME: return badPath;
    case ERROR_ACCESS_DENIED: return accessDenied;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_HANDLE_EOF: return endOfFile;
    case ERROR_DISK_FULL: return diskFull;
    default: return genericException;
  }
}

CStdioFile::~CStdioFile() { Close(); }

BOOL CStdioFile::Open(const char* fileName, UINT, CFileException* error) {
  Close();
  m_hFile = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (m_hFile == INVALID_HANDLE_VALUE) {
    LONG err = static_cast<LONG>(GetLastError());
    if (error) *error = CFileException(CFileException::CauseFromOsError(err), err, fileName);
    return FALSE;
  }
  m_strFileName = fileName;
  m_buffer.clear();
  m_nPos = 0;
  m_bEnd = false;
  m_nPending = -1;
  return TRUE;
}

void CStdioFile::Close() {
  if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
}

BOOL CStdioFile::FillBuffer() {
  m_buffer.resize(kReadChunk);
  DWORD got = 0;
  if (!ReadFile(m_hFile, m_buffer.data(), kReadChunk, &got, nullptr)) {
    LONG err = static_cast<LONG>(GetLastError());
    throw new CFileException(CFileException::CauseFromOsError(err), err, m_strFileName);
  }
  m_buffer.resize(got);
  m_nPos = 0;
  return got > 0;
}

int CStdioFile::NextChar() {
  if (m_bEnd) return -1;
  int c;
  if (m_nPending >= 0) {
    c = m_nPending;
    m_nPending = -1;
  } else {
    if (m_nPos >= m_buffer.size() && !FillBuffer()) {
      m_bEnd = true;
      return -1;
    }
    c = static_cast<unsigned char>(m_buffer[m_nPos++]);
  }
  if (c == kCtrlZ) {
    m_bEnd = true;
    return -1;
  }
  if (c == '\r') {
    int next = -1;
    if (m_nPos < m_buffer.size() || FillBuffer()) next = static_cast<unsigned char>(m_buffer[m_nPos++]);
    if (next == '\n') return '\n';
    m_nPending = next;  // a lone CR stays as it is
  }
  return c;
}

char* CStdioFile::ReadString(char* buffer, UINT nMax) {
  if (m_hFile == INVALID_HANDLE_VALUE || nMax == 0) return nullptr;
  UINT n = 0;
  while (n + 1 < nMax) {
    int c = NextChar();
    if (c < 0) break;
    buffer[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buffer[n] = '\0';
  return n == 0 ? nullptr : buffer;
}
