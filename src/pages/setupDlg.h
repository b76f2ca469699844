// The wizard frame of this program (template 102) and its About box (template 100).
#pragma once

#include "framework/Dialog.h"
#include "wizard/NewWizDialog.h"

class CSetupDlg : public CNewWizDialog {
 public:

  explicit CSetupDlg(CWnd* parent = nullptr);

  HICON m_hIcon;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(UINT id, UINT code, HWND control) override;
  void OnCancel() override;
  void OnSysCommand(UINT id, LPARAM lParam) override;
  void OnPaint() override;
  HCURSOR OnQueryDragIcon() override;
};

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();

 protected:
  BOOL OnInitDialog() override;
};
