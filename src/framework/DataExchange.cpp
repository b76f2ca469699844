#include "framework/DataExchange.h"

#include "framework/Debug.h"
#include "framework/Wnd.h"

namespace {

bool IsRadioButton(HWND hWnd) {
  char className[16] = {0};
  ::GetClassNameA(hWnd, className, sizeof className);
  if (::lstrcmpiA(className, "Button") != 0) return false;
  DWORD type = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE)) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool StartsGroup(HWND hWnd) { return (static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE)) & WS_GROUP) != 0; }

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) const {
  HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
  ASSERT(control != nullptr);
  return control;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) { control.m_hWnd = dx->PrepareCtrl(id); }

void DDX_Check(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
  else
    ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  HWND control = dx->PrepareCtrl(id);
  ASSERT(StartsGroup(control));
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  do {
    if (IsRadioButton(control)) {
      if (dx->m_bSaveAndValidate) {
        if (::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
      } else {
        ::SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    control = ::GetWindow(control, GW_HWNDNEXT);
  } while (control && !StartsGroup(control));
}

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  CWnd* control = CWnd::FromHandle(dx->PrepareCtrl(id));
  if (dx->m_bSaveAndValidate)
    control->GetWindowText(value);
  else
    control->SetWindowText(value);
}
