// The printer setting page (template 143): the one printer series, which must be selected before
// Next is enabled, a default-printer check box and a read-only name box. Their states stay within
// the page.
#pragma once

#include <string>

#include "framework/Controls.h"
#include "wizard/NewWizPage.h"

class CSettingDlg : public CNewWizPage {
 public:
  CSettingDlg();

  CListBox m_listSeries;  // 1006
  BOOL m_bSetDefault;     // check box 1039
  std::string m_strName;  // edit box 1019

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(UINT id, UINT code, HWND control) override;
  void OnShowWindow(BOOL show, UINT status) override;

 private:
  void SetFrameNextEnabled(BOOL enable);
};
