#include "framework/Dialog.h"

#include <commctrl.h>

#include "framework/DataExchange.h"
#include "framework/WinApp.h"

namespace {

// Handlers whose message has a result beyond "handled" give it through DWLP_MSGRESULT.
INT_PTR MessageResult(HWND hWnd, LRESULT result) {
  ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}

// The owner of a modal dialog without a parent: the application's main window, when it exists
// and is not the dialog itself.
HWND DefaultOwner(const CWnd* dialog) {
  CWinApp* app = AfxGetApp();
  CWnd* main = app ? app->m_pMainWnd : nullptr;
  return (main && main != dialog && main->IsWindow()) ? main->m_hWnd : nullptr;
}

// Templates may use the progress bar, whose window class the common controls register.
void RegisterCommonControls() {
  static const BOOL registered = [] {
    INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    return ::InitCommonControlsEx(&classes);
  }();
  (void)registered;
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
  RegisterCommonControls();
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : DefaultOwner(this);
  return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), owner, &DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  m_nIDTemplate = templateId;
  m_pParentWnd = parent;
  RegisterCommonControls();
  HWND hWnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                   parent ? parent->m_hWnd : nullptr, &DialogProc, reinterpret_cast<LPARAM>(this));
  return hWnd != nullptr;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnCommand(UINT id, UINT code, HWND) {
  if (code != BN_CLICKED) return FALSE;
  switch (id) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
    default: return FALSE;
  }
}

void CDialog::OnOK() {
  UpdateData(TRUE);
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnShowWindow(BOOL, UINT) { Default(); }

void CDialog::OnTimer(UINT_PTR) { Default(); }

HBRUSH CDialog::OnCtlColor(HDC, HWND, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

BOOL CDialog::OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }

void CDialog::OnSysCommand(UINT, LPARAM) { Default(); }

void CDialog::OnPaint() { Default(); }

HCURSOR CDialog::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

void CDialog::OnDestroy() { Default(); }

LRESULT CDialog::Default() {
  m_bDefaultPending = true;
  LRESULT result = ::DefDlgProcA(m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
  m_bDefaultPending = false;
  return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* dialog;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<CDialog*>(lParam);
    ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
    dialog->Attach(hWnd);
  } else {
    dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
  }
  if (!dialog) return FALSE;
  if (dialog->m_bDefaultPending) {
    dialog->m_bDefaultPending = false;
    return FALSE;
  }
  Message outer = dialog->m_current;
  dialog->m_current = {message, wParam, lParam};
  INT_PTR result = dialog->Dispatch(hWnd, message, wParam, lParam);
  dialog->m_current = outer;
  return result;
}

INT_PTR CDialog::Dispatch(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); return MessageResult(hWnd, 0);
    case WM_TIMER: OnTimer(wParam); return MessageResult(hWnd, 0);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message - WM_CTLCOLORMSGBOX));
    case WM_ERASEBKGND: return MessageResult(hWnd, OnEraseBkgnd(reinterpret_cast<HDC>(wParam)));
    case WM_SYSCOMMAND: OnSysCommand(static_cast<UINT>(wParam), lParam); return MessageResult(hWnd, 0);
    case WM_PAINT: OnPaint(); return MessageResult(hWnd, 0);
    case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    case WM_DESTROY: OnDestroy(); return MessageResult(hWnd, 0);
    case WM_NCDESTROY:
      ::SetWindowLongPtrA(hWnd, DWLP_USER, 0);
      Detach();
      return FALSE;
    default: return FALSE;
  }
}
