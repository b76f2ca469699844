#include "framework/Dialog.h"

#include <commctrl.h>

#include "framework/DataExchange.h"
#include "framework/SystemLibrary.h"
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

// Templates may use the progress bar, whose window class the common controls register. The library
// is never freed: the class's window procedure lives in it.
void RegisterCommonControls() {
  static CSystemLibrary* const comctl32 = new CSystemLibrary("comctl32.dll");
  static const BOOL registered = [] {
    auto initCommonControls = comctl32->Function<decltype(&InitCommonControlsEx)>("InitCommonControlsEx");
    INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    return initCommonControls ? initCommonControls(&classes) : FALSE;
  }();
  (void)registered;
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : DefaultOwner(this);
  BOOL ownerDisabled = owner && ::IsWindowEnabled(owner);
  if (ownerDisabled) ::EnableWindow(owner, FALSE);
  m_nModalResult = -1;
  m_bContinueModal = true;
  if (CreateFromTemplate(m_nIDTemplate, owner) && m_bContinueModal) RunModalLoop();
  m_bContinueModal = false;
  // The owner comes back before the dialog goes, and takes the activation back from it.
  if (ownerDisabled) ::EnableWindow(owner, TRUE);
  if (IsWindow()) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  HWND active = ::GetActiveWindow();
  if (owner && (active == m_hWnd || active == nullptr)) ::SetActiveWindow(owner);
  DestroyWindow();
  return m_nModalResult;
}

void CDialog::RunModalLoop() {
  bool showOnIdle = !IsWindowVisible();
  MSG msg;
  while (m_bContinueModal && IsWindow()) {
    if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (showOnIdle) {
        showOnIdle = false;
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        continue;
      }
      ::GetMessageA(&msg, nullptr, 0, 0);
    }
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      m_nModalResult = -1;
      return;
    }
    if (!PreTranslateInput(msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

BOOL CDialog::PreTranslateInput(MSG& msg) {
  bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
  bool mouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST;
  if (!key && !mouse) return FALSE;
  for (HWND hWnd = msg.hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
    auto* dialog = dynamic_cast<CDialog*>(FromHandlePermanent(hWnd));
    // A child dialog that navigates as a control of its parent (DS_CONTROL) still takes Escape
    // as its own cancel command, as a dialog of its own would.
    if (dialog && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && (::GetWindowLongA(hWnd, GWL_STYLE) & DS_CONTROL)) {
      ::SendMessageA(hWnd, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, IDCANCEL)));
      return TRUE;
    }
    if (dialog && ::IsDialogMessageA(hWnd, &msg)) return TRUE;
    if (hWnd == m_hWnd) break;
  }
  return FALSE;
}

void CDialog::EndDialog(int result) {
  if (m_bContinueModal) {
    m_nModalResult = result;
    m_bContinueModal = false;
  }
  ::EndDialog(m_hWnd, result);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  m_nIDTemplate = templateId;
  m_pParentWnd = parent;
  return CreateFromTemplate(templateId, parent ? parent->m_hWnd : nullptr) != nullptr;
}

HWND CDialog::CreateFromTemplate(UINT templateId, HWND parent) {
  RegisterCommonControls();
  return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, &DialogProc,
                              reinterpret_cast<LPARAM>(this));
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
