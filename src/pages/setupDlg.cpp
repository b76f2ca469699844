#include "pages/setupDlg.h"

#include <string>

#include "framework/ResourceString.h"
#include "framework/WinApp.h"
#include "i18n/DialogStrings.h"
#include "shared/resource.h"

CSetupDlg::CSetupDlg(CWnd* parent)
    : CNewWizDialog(IDD_SETUP_DIALOG, parent), m_hIcon(LoadIconA(AfxGetApp()->m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

BOOL CSetupDlg::OnInitDialog() {
  SetPlaceholder(IDC_PLACEHOLDER);
  CNewWizDialog::OnInitDialog();
  if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
    std::string about = AfxLoadString(IDS_ABOUTBOX);
    if (!about.empty()) {
      systemMenu->AppendMenu(MF_SEPARATOR);
      systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
  }
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  g_SetDialogStrings(this, IDD_SETUP_DIALOG);
  return TRUE;
}

BOOL CSetupDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_WIZ_CANCEL && code == BN_CLICKED) {
    OnCancel();
    return TRUE;
  }
  return CNewWizDialog::OnCommand(id, code, control);
}

void CSetupDlg::OnCancel() { CNewWizDialog::OnCancel(); }

void CSetupDlg::OnSysCommand(UINT id, LPARAM lParam) {
  if ((id & 0xFFF0) == IDM_ABOUTBOX) {
    CAboutDlg about;
    about.DoModal();
    return;
  }
  CNewWizDialog::OnSysCommand(id, lParam);
}

void CSetupDlg::OnPaint() {
  if (!IsIconic()) {
    CNewWizDialog::OnPaint();
    return;
  }
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m_hWnd, &paint);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  int iconWidth = GetSystemMetrics(SM_CXICON);
  int iconHeight = GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(&client);
  int x = (client.right - client.left - iconWidth + 1) / 2;
  int y = (client.bottom - client.top - iconHeight + 1) / 2;
  DrawIcon(dc, x, y, m_hIcon);
  EndPaint(m_hWnd, &paint);
}

HCURSOR CSetupDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  g_SetDialogStrings(this, IDD_ABOUTBOX);
  return TRUE;
}
