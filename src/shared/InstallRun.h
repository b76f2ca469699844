// What a run of the installation is handed by whoever starts it, and what it gives back. The run
// reaches nothing of its caller but this: the wizard hands one that shows message boxes over its
// frame and ends the wizard; a caller without pages hands one that shows nothing.
#pragma once

#include <windows.h>

#include <string>

// Writes payload `id` to `path`, rewritten for the printer name when `rewrite`; FALSE when the
// file was not written.
class PayloadWriter {
 public:
  virtual BOOL WritePayload(UINT id, const std::string& path, BOOL rewrite) = 0;

 protected:
  ~PayloadWriter() = default;
};

class InstallHost : public PayloadWriter {
 public:
  // The removal's one failure, the system's text for the error (caption "ERROR").
  virtual void ShowError(const char* text) = 0;
  // The outcome's text, success or failure; returns when the user has seen it.
  virtual void ShowResult(const char* text) = 0;
  // The run is over: the wizard it runs inside ends.
  virtual void EndWizard() = 0;

 protected:
  ~InstallHost() = default;
};

enum class InstallOutcome {
  Installed,        // a printer of the model exists after the utility has run
  PrinterNotFound,  // the utility ran, but no printer of the model exists
  UtilityFailed,    // the utility did not start or did not end in time
  StagingFailed,    // no printer of the model, and a driver file could not be staged (or changed after)
  StagingRefused,   // a staging folder could not be made administrators' alone: nothing was changed
  NoPrinterData,    // the spooler listed no printers at all: the run ended without a word
  AlreadyRunning,   // asked again while a run was in progress: nothing was done
};
