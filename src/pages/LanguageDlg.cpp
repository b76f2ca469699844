#include "pages/LanguageDlg.h"

#include "framework/DataExchange.h"
#include "i18n/DialogStrings.h"
#include "shared/SystemLanguage.h"
#include "shared/globals.h"
#include "shared/resource.h"
#include "sys/OSVersion.h"

CLanguageDlg::CLanguageDlg() : CNewWizPage(IDD_LANGUAGE), m_nLanguage(-1), m_nSystem(-1) {}

void CLanguageDlg::DoDataExchange(CDataExchange* dx) {
  CNewWizPage::DoDataExchange(dx);
  DDX_Control(dx, IDC_LOGO, m_logo);
  DDX_Control(dx, IDC_BANNER, m_banner);
  DDX_Radio(dx, IDC_LANG_CHINESE, m_nLanguage);
  DDX_Radio(dx, IDC_SYS_WIN2000, m_nSystem);
}

BOOL CLanguageDlg::OnInitDialog() {
  CNewWizPage::OnInitDialog();
  m_nLanguage = IsChinese(GetSystemLanguage()) ? 0 : 1;
  g_LanguageChoice = static_cast<WORD>(m_nLanguage);
  if (GetOSVersion() == OS_WIN2000) m_nSystem = 0;
  else if (GetOSVersion() == OS_WINXP) m_nSystem = 1;
  else if (GetOSVersion() == OS_WIN2003) m_nSystem = 2;
  else if (GetOSVersion() == OS_VISTA) m_nSystem = 3;
  else if (GetOSVersion() == OS_WIN7) m_nSystem = 4;
  g_SetDialogStrings(this, IDD_LANGUAGE);
  ApplyBannerLayout();
  UpdateData(FALSE);
  return TRUE;
}

BOOL CLanguageDlg::OnCommand(UINT id, UINT code, HWND control) {
  if ((id == IDC_LANG_CHINESE || id == IDC_LANG_ENGLISH) && code == BN_CLICKED) {
    UpdateData(TRUE);
    g_LanguageChoice = static_cast<WORD>(m_nLanguage);
    return TRUE;
  }
  return CNewWizPage::OnCommand(id, code, control);
}

void CLanguageDlg::OnShowWindow(BOOL show, UINT status) {
  CNewWizPage::OnShowWindow(show, status);
  ApplyBannerLayout();
}
