// A buffered text file. Text mode behaves the same on every target: a CR LF pair reads as one LF,
// a Ctrl-Z byte ends the text, and ReadString delivers a line in pieces of at most nMax - 1
// characters, the LF kept in the piece.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/FileException.h"

class CStdioFile {
 public:
  enum OpenFlags { modeRead = 0x0000, typeText = 0x4000 };

  CStdioFile() = default;
  ~CStdioFile();
  CStdioFile(const CStdioFile&) = delete;
  CStdioFile& operator=(const CStdioFile&) = delete;

  // Opens for reading; on failure returns FALSE and fills `error` when given.
  BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
  // Reads the next piece into `buffer` (terminated); nullptr at the end of the text.
  // Throws CFileException* (to be deleted by the catcher) on a read error.
  char* ReadString(char* buffer, UINT nMax);
  void Close();

 private:
  int NextChar();  // the next byte of the text, -1 at its end
  BOOL FillBuffer();

  HANDLE m_hFile = INVALID_HANDLE_VALUE;
  std::string m_strFileName;
  std::vector<char> m_buffer;
  size_t m_nPos = 0;
  bool m_bEnd = false;
  int m_nPending = -1;  // a byte read ahead after a CR that was not followed by LF
};
