#include "shared/RunLog.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace {
HANDLE g_hLog = INVALID_HANDLE_VALUE;
}

bool OpenRunLog(const char* path) {
  CloseRunLog();
  // Other runs may write the same file (one refused because this one runs): shared, and every line
  // goes to the end as it is then.
  g_hLog = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  return g_hLog != INVALID_HANDLE_VALUE;
}

void CloseRunLog() {
  if (g_hLog != INVALID_HANDLE_VALUE) CloseHandle(g_hLog);
  g_hLog = INVALID_HANDLE_VALUE;
}

void LogLine(const char* format, ...) {
  if (g_hLog == INVALID_HANDLE_VALUE) return;
  SYSTEMTIME now;
  GetLocalTime(&now);
  char line[2048];
  int length = std::snprintf(line, sizeof line, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay,
                             now.wHour, now.wMinute, now.wSecond);
  va_list arguments;
  va_start(arguments, format);
  int room = static_cast<int>(sizeof line) - length - 2;  // the line end's two bytes stay free
  int text = std::vsnprintf(line + length, room, format, arguments);
  va_end(arguments);
  length += text < 0 ? 0 : (text < room ? text : room - 1);  // a text too long is cut
  line[length++] = '\r';
  line[length++] = '\n';
  DWORD written = 0;
  SetFilePointer(g_hLog, 0, nullptr, FILE_END);
  WriteFile(g_hLog, line, static_cast<DWORD>(length), &written, nullptr);
}

bool DefaultLogPath(char (&path)[260], const char* fileName) {
  char windows[MAX_PATH] = {0};
  UINT length = GetWindowsDirectoryA(windows, sizeof windows);
  if (length == 0 || length >= sizeof windows) return false;
  int composed = std::snprintf(path, sizeof path, "%s\\%s", windows, fileName);
  return composed > 0 && composed < static_cast<int>(sizeof path);
}
