// The application object of the setup program.
#pragma once

#include <windows.h>

#include <string>

#include "framework/WinApp.h"

struct LineReplacement;

class CSetupApp : public CWinApp {
 public:
  CSetupApp();
  BOOL InitInstance() override;

  // Start-up before the wizard: the program directory, the language file, the settings file and
  // the printer name; false when the printer name cannot be used (the user has been told).
  bool PrepareStartup();

  // Language files (i18n/LoadLanguage.cpp).
  void LoadLanguage(std::string language);
  // Payload extraction (payload/ExtractPayload.cpp).
  BOOL ExtractPayload(UINT id, std::string path, BOOL rewrite);
  void RewriteLines(std::string source, std::string target, const LineReplacement* table, int count);
};

extern CSetupApp theApp;
