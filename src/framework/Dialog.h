// The dialog class: a dialog made from a template of the program's resources, modal (DoModal) or
// modeless (Create), with one dialog procedure that hands the messages to virtual handlers. A
// handler that wants the platform's handling of its message calls Default(); the base handlers do
// nothing else.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);

  // Runs the dialog modally; the result given to EndDialog, or what DialogBoxParamA reports.
  virtual INT_PTR DoModal();
  // Creates the dialog modelessly from `templateId`, as a child or owned window of `parent`.
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  void EndDialog(int result) { ::EndDialog(m_hWnd, result); }

  // Moves data between the controls and the members through DoDataExchange: into the members when
  // `saveAndValidate`, into the controls otherwise.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

 protected:
  // WM_INITDIALOG: the result is the message's (TRUE: the system sets the focus). The base moves the
  // members into the controls (UpdateData(FALSE)).
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange* dx);
  // WM_COMMAND: TRUE when handled. The base sends clicks of IDOK and IDCANCEL to OnOK and OnCancel.
  virtual BOOL OnCommand(UINT id, UINT code, HWND control);
  virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
  virtual void OnCancel();  // EndDialog(IDCANCEL)
  virtual void OnShowWindow(BOOL show, UINT status);
  virtual void OnTimer(UINT_PTR id);
  // WM_CTLCOLOR*: `kind` is CTLCOLOR_MSGBOX ... CTLCOLOR_STATIC; `control` is the window being
  // drawn (the dialog itself for CTLCOLOR_DLG).
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
  virtual BOOL OnEraseBkgnd(HDC dc);
  virtual void OnSysCommand(UINT id, LPARAM lParam);
  virtual void OnPaint();
  virtual HCURSOR OnQueryDragIcon();
  virtual void OnDestroy();

  // The platform dialog's handling of the message being handled.
  LRESULT Default();

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 private:
  struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };

  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  Message m_current{};
  // Set while Default() hands the current message to the platform, which first offers it to the
  // dialog procedure again: that one call is declined.
  bool m_bDefaultPending = false;
};
