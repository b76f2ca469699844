// One installation or removal at a time: setup and the uninstaller hold one named mutex for their
// whole run, so a second instance, of either, ends before it changes anything.
#pragma once

#include <windows.h>

#include "shared/TextLanguage.h"

// The mutex's name; "Global\" makes it one for every session where the system has sessions.
constexpr const char* kSingleRunMutexName = "Global\\K7XPrinterDriverSetup";

// Holds the mutex from construction to destruction (or the end of the process).
class CSingleRun {
 public:
  CSingleRun();
  ~CSingleRun();
  CSingleRun(const CSingleRun&) = delete;
  CSingleRun& operator=(const CSingleRun&) = delete;
  // False when another instance already held the mutex.
  bool IsOnlyRun() const { return m_bOnly; }
  // True when this is the only run; otherwise shows the text (OK, stop icon, under `caption`)
  // and returns false.
  bool TellUserIfNotOnly(TextLanguage language, const char* caption) const;

 private:
  HANDLE m_hMutex;
  bool m_bOnly;
};

// What a second instance tells the user, in English (ASCII), simplified Chinese (936) or
// traditional Chinese (950).
const char* AnotherRunText(TextLanguage language);
