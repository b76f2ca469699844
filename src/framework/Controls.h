// Control objects, bound to a dialog's controls with DDX_Control.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Wnd.h"

class CStatic : public CWnd {};

class CButton : public CWnd {};

class CListBox : public CWnd {
 public:
  // The index of the new entry, or LB_ERR / LB_ERRSPACE.
  int AddString(const char* text);
  int InsertString(int index, const char* text);  // index -1: at the end
  int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  // The entry's text; LB_ERR (text left empty) for an index out of range.
  int GetText(int index, std::string& text) const;
};

class CProgressCtrl : public CWnd {
 public:
  int SetPos(int pos);  // the previous position
  int GetPos() const;
  void SetRange(short lower, short upper);
};
