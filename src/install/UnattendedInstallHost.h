// The host of a run that nobody watches (/quiet, /passive): payloads come from the application
// object, and what the wizard would show in a message box goes to the log.
#pragma once

#include "shared/InstallRun.h"
#include "shared/SetupApp.h"

class CUnattendedInstallHost : public InstallHost {
 public:
  explicit CUnattendedInstallHost(CSetupApp& app) : m_app(app) {}

  BOOL WritePayload(UINT id, const std::string& path, BOOL rewrite) override;
  void ShowError(const char* text) override;
  void ShowResult(const char* text) override;
  // Nothing to end: a quiet run has no wizard, and a passive run's page ends its frame itself.
  void EndWizard() override {}

 private:
  CSetupApp& m_app;
};
