// The application object of the setup program. Declared here, below every subsystem; each
// subsystem defines the members it owns, and the start-up (app/setup.cpp) defines InitInstance,
// PrepareStartup and the object itself.
#pragma once

#include <windows.h>

#include <string>

#include "framework/WinApp.h"
#include "shared/CommandLine.h"
#include "shared/InstallRun.h"

struct LineReplacement;

class CSetupApp : public CWinApp {
 public:
  CSetupApp();
  // Without arguments the wizard; with arguments a run for deployment tools (app/UnattendedRun.cpp).
  BOOL InitInstance() override;
  // The program's exit code: 0 for the wizard without arguments, else the run's (shared/ExitCodes.h).
  int ExitInstance() override { return m_nExitCode; }
  // Removal of an earlier installation and the uninstall entry (removal/): the one virtual the
  // class adds, after the framework's. Its one failure is shown through the host.
  virtual void RemoveOldInstallation(InstallHost& host);

  // OEM INF cleanup (removal/RemoveOemInfFiles.cpp).
  BOOL RemoveOemInfFiles();
  // Removal of one old driver file by bare name from the driver directory, its 3 subdirectory
  // or c:\temp, and of a paper form (removal/DriverFiles.cpp).
  BOOL DeleteDriverFile(std::string name);
  BOOL DeleteDriverVersionFile(std::string name);
  BOOL DeleteTempFile(std::string name);
  void DeletePaperForm(std::string printerName, std::string formName);

  // The installation run (install/InstallPrinterDriver.cpp): payloads written, messages shown and
  // the wizard ended through the host.
  InstallOutcome InstallPrinterDriver(InstallHost& host);

  // Start-up before the wizard: PrepareFiles, then false when the printer name cannot be used,
  // the program lacks the administrator's rights or runs on a 64-bit Windows (the user has been told).
  bool PrepareStartup();
  // The program directory, the language file, the settings file and the printer name.
  void PrepareFiles();
  // The four pages in the frame, run modally.
  void RunWizard();

  // A run with arguments: the command line's refusals, help, the log, then RunChecked; the exit code.
  int RunWithArguments(const CommandLineResult& command);
  // The checks of start-up answered with exit codes, then the installation in the chosen mode.
  int RunChecked(const CommandLineOptions& options, bool logUsable);

  int m_nExitCode = 0;

  // Language files (i18n/LoadLanguage.cpp).
  void LoadLanguage(std::string language);
  // Payload extraction (payload/ExtractPayload.cpp).
  BOOL ExtractPayload(UINT id, std::string path, BOOL rewrite);
  static void RewriteLines(std::string source, std::string target, const LineReplacement* table, int count);
};

extern CSetupApp theApp;
