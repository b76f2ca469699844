// The log of a run: text lines, each with the local time, appended to one file as they happen, so
// that a run that is stopped leaves every line before the stop. Without an open log nothing is written.
#pragma once

// Opens `path` for appending (made when missing); false, and no log, when it cannot be opened.
bool OpenRunLog(const char* path);
void CloseRunLog();

// "2010-01-04 09:00:00 <text>" and CR LF, the text formatted as printf formats it.
void LogLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Where a quiet or passive run logs when no log is named: `fileName` in the Windows directory,
// where only administrators may create or change files. False when the directory cannot be told.
bool DefaultLogPath(char (&path)[260], const char* fileName);
