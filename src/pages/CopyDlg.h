// The progress page (template 140): showing it while the installation has not run arms timer 1;
// its first tick runs the installation engine with the bar at 50 before and 100 after, the
// messages of the run shown over the wizard's frame.
#pragma once

#include "framework/Controls.h"
#include "shared/SetupApp.h"
#include "wizard/NewWizPage.h"

class CCopyDlg : public CNewWizPage {
 public:
  static constexpr UINT_PTR kInstallTimer = 1;
  static constexpr UINT kInstallDelayMs = 500;

  // The application object whose installation engine the page runs. With `host` (a run nobody
  // watches) the run's messages go to it instead of the frame, and the page ends the frame once the
  // run is over, whatever its outcome.
  explicit CCopyDlg(CSetupApp& app, InstallHost* host = nullptr);
  ~CCopyDlg() override;

  HBRUSH m_brushBanner = nullptr;  // white, for the banner group box
  CButton m_banner;                // 1040
  CStatic m_logo;                  // 1065
  CProgressCtrl m_progress;        // 1035
  bool m_bRan = false;             // the engine has run from this page
  InstallOutcome m_outcome = InstallOutcome::NoPrinterData;  // what its last run gave

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(UINT id, UINT code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override;
  void OnShowWindow(BOOL show, UINT status) override;
  void OnTimer(UINT_PTR id) override;
  void OnFrameWentBack() override;  // the next showing installs again

 private:
  CSetupApp& m_app;
  InstallHost* m_pHost;
};
