// The system-and-language page (template 137): the system preset from the running version, the
// language preset from the system's default language. The language choice is published in
// g_LanguageChoice; the system choice stays within the page.
#pragma once

#include "framework/Controls.h"
#include "wizard/NewWizPage.h"

class CLanguageDlg : public CNewWizPage {
 public:
  CLanguageDlg();

  CStatic m_logo;     // 1065
  CButton m_banner;   // 1040
  int m_nLanguage;    // radio group 1037, 1038: 0 Chinese, 1 English, -1 none
  int m_nSystem;      // radio group 1070 to 1074: 0 Windows 2000 ... 4 Windows 7, -1 none

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(UINT id, UINT code, HWND control) override;
  void OnShowWindow(BOOL show, UINT status) override;
};
