#include "pages/SettingDlg.h"

#include "framework/DataExchange.h"
#include "i18n/DialogStrings.h"
#include "shared/resource.h"
#include "wizard/NewWizDialog.h"

namespace {
constexpr const char* kSeries = "80mm series";
}

CSettingDlg::CSettingDlg() : CNewWizPage(IDD_SETTING), m_bSetDefault(TRUE) {}

void CSettingDlg::DoDataExchange(CDataExchange* dx) {
  CNewWizPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_SERIES_LIST, m_listSeries);
  DDX_Check(dx, IDC_SET_DEFAULT, m_bSetDefault);
  DDX_Text(dx, IDC_PRINTER_NAME, m_strName);
}

// The page's window is the frame's child: the frame is its parent window.
void CSettingDlg::SetFrameNextEnabled(BOOL enable) {
  if (auto* frame = dynamic_cast<CNewWizDialog*>(GetParent())) frame->SetNextEnabled(enable);
}

BOOL CSettingDlg::OnInitDialog() {
  CNewWizPage::OnInitDialog();
  UpdateData(TRUE);
  m_listSeries.InsertString(-1, kSeries);
  SetFrameNextEnabled(m_listSeries.GetCurSel() == LB_ERR ? FALSE : TRUE);
  g_SetDialogStrings(this, IDD_SETTING);
  return TRUE;
}

BOOL CSettingDlg::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_SERIES_LIST && code == LBN_SELCHANGE) {
    SetFrameNextEnabled(TRUE);
    if (m_listSeries.GetCurSel() == 0) m_strName = kSeries;
    UpdateData(FALSE);
    return TRUE;
  }
  return CNewWizPage::OnCommand(id, code, control);
}

void CSettingDlg::OnShowWindow(BOOL show, UINT status) {
  CNewWizPage::OnShowWindow(show, status);
  UpdateData(TRUE);
}
