// The dialog class: a dialog made from a template of the program's resources, modal (DoModal) or
// modeless (Create), with one dialog procedure that hands the messages to virtual handlers. A
// handler that wants the platform's handling of its message calls Default(); the base handlers do
// nothing else.
//
// The modal run is the framework's own loop over the modeless dialog, as in the classic
// frameworks: keyboard input goes to the innermost framework dialog around the focus first (so a
// child dialog gets its own Escape and Enter), and a quit request ends the run with -1 (the quit
// message is posted again for the loop outside).
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);

  // Runs the dialog modally with its owner disabled: the result given to EndDialog, -1 when the
  // window cannot be made or a quit request ended the run.
  virtual INT_PTR DoModal();
  // Creates the dialog modelessly from `templateId`, as a child or owned window of `parent`.
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  // Ends the modal run with `result` (a modeless dialog is hidden).
  void EndDialog(int result);

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

  // The modeless dialog window of `templateId` with this object as its dialog object.
  HWND CreateFromTemplate(UINT templateId, HWND parent);
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  void RunModalLoop();
  // Offers keyboard and mouse input to the framework dialogs from the message's window out to
  // this one, innermost first; TRUE when one of them took it.
  BOOL PreTranslateInput(MSG& msg);

  Message m_current{};
  bool m_bContinueModal = false;
  INT_PTR m_nModalResult = -1;
  // Set while Default() hands the current message to the platform, which first offers it to the
  // dialog procedure again: that one call is declined.
  bool m_bDefaultPending = false;
};
