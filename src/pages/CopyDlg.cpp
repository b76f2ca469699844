#include "pages/CopyDlg.h"

#include "framework/DataExchange.h"
#include "framework/WaitCursor.h"
#include "i18n/DialogStrings.h"
#include "install/WizardInstallHost.h"
#include "shared/globals.h"
#include "shared/resource.h"

CCopyDlg::CCopyDlg(CSetupApp& app, InstallHost* host) : CNewWizPage(IDD_COPY), m_app(app), m_pHost(host) {}

CCopyDlg::~CCopyDlg() {
  if (m_brushBanner) DeleteObject(m_brushBanner);
}

void CCopyDlg::DoDataExchange(CDataExchange* dx) {
  CNewWizPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_BANNER, m_banner);
  DDX_Control(dx, IDC_LOGO, m_logo);
  DDX_Control(dx, IDC_PROGRESS, m_progress);
}

BOOL CCopyDlg::OnInitDialog() {
  CNewWizPage::OnInitDialog();
  m_brushBanner = CreateSolidBrush(RGB(255, 255, 255));
  g_SetDialogStrings(this, IDD_COPY);
  ApplyBannerLayout();
  return TRUE;
}

BOOL CCopyDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_BANNER) return TRUE;  // the banner's notifications are ignored
  return CNewWizPage::OnCommand(id, code, control);
}

HBRUSH CCopyDlg::OnCtlColor(HDC dc, HWND control, UINT kind) {
  HBRUSH brush = CNewWizPage::OnCtlColor(dc, control, kind);
  if (::GetDlgCtrlID(control) == IDC_BANNER) {
    SetBkColor(dc, RGB(255, 255, 255));
    return m_brushBanner;
  }
  return brush;
}

void CCopyDlg::OnShowWindow(BOOL show, UINT status) {
  CNewWizPage::OnShowWindow(show, status);
  if (show && g_InstallDone == 0) SetTimer(kInstallTimer, kInstallDelayMs, nullptr);
  if (show) ApplyBannerLayout();
}

void CCopyDlg::OnTimer(UINT_PTR id) {
  CWaitCursor wait;
  KillTimer(kInstallTimer);
  m_progress.SetPos(50);
  CWnd* frame = GetParent();
  CWizardInstallHost wizardHost(m_app, frame ? frame->m_hWnd : nullptr);
  m_outcome = m_app.InstallPrinterDriver(m_pHost ? *m_pHost : wizardHost);
  m_bRan = true;
  m_progress.SetPos(100);
  g_InstallDone = 1;
  if (m_pHost && frame) PostMessageA(frame->m_hWnd, WM_QUIT, 0, 0);
  CNewWizPage::OnTimer(id);
}

void CCopyDlg::OnFrameWentBack() { g_InstallDone = 0; }
