// The host of a run started from the wizard: payloads come from the application object, the
// messages are message boxes owned by the wizard's frame, and the run's end is a quit request
// posted to that frame.
#pragma once

#include <windows.h>

#include "shared/InstallRun.h"
#include "shared/SetupApp.h"

class CWizardInstallHost : public InstallHost {
 public:
  // `frame` may be null: the boxes then have no owner and the quit request goes to the thread.
  CWizardInstallHost(CSetupApp& app, HWND frame) : m_app(app), m_frame(frame) {}

  BOOL WritePayload(UINT id, const std::string& path, BOOL rewrite) override;
  void ShowError(const char* text) override;
  void ShowResult(const char* text) override;
  void EndWizard() override;

 private:
  HWND Owner() const;

  CSetupApp& m_app;
  HWND m_frame;
};
