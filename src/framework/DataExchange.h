// Data exchange between a dialog's controls and its members, run by CDialog::UpdateData.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

  // The dialog's control `id`; it must exist.
  HWND PrepareCtrl(int id) const;

  BOOL m_bSaveAndValidate;  // TRUE: controls to members; FALSE: members to controls
  CWnd* m_pDlgWnd;
};

// Binds a control object to the dialog's control `id`.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
// A check box: its check state (BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE).
void DDX_Check(CDataExchange* dx, int id, int& value);
// A group of radio buttons starting at `id` (which starts the group) and ending before the next
// control with WS_GROUP: the index of the checked one among the group's radio buttons, -1 for none.
// Loading checks the index'th and unchecks the others.
void DDX_Radio(CDataExchange* dx, int id, int& value);
// A control's window text.
void DDX_Text(CDataExchange* dx, int id, std::string& value);
