// user32 as the framework relies on it: a modal dialog from a template (the order of WM_SETFONT,
// WM_INITDIALOG and WM_SHOWWINDOW, the focus, the owner disabled while it runs), timers inside
// nested loops, WM_QUIT ending a modal loop, a message box disabling its owner, the z-order of a
// dialog's controls and the WM_CTLCOLOR* kind each control asks with.
#include <string>
#include <vector>

#include "check.h"
#include "conformance_ids.h"
#include "parts.h"

namespace conformance {
namespace {

constexpr UINT_PTR kTimer = 7;
constexpr LPARAM kParam = 0x4B37;
constexpr int kTicksToShow = 500;

struct FormRun {
  HWND owner = nullptr;
  std::vector<UINT> order;  // WM_SETFONT, WM_INITDIALOG and WM_SHOWWINDOW as they came
  LPARAM initParam = 0;
  bool visibleAtInit = true;
  WPARAM showFlag = 0;
  HWND ownerSeen = nullptr;
  std::string zOrder;
  bool ownerEnabledInLoop = true;
  HWND focusInLoop = nullptr;
  HWND focusExpected = nullptr;
  bool activeInLoop = false;
  std::vector<std::pair<int, UINT>> colors;  // control id, WM_CTLCOLOR* message
  int ticksHidden = 0;
};
FormRun g_form;

std::string ChildIds(HWND parent) {
  std::string ids;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!ids.empty()) ids += ',';
    ids += std::to_string(GetDlgCtrlID(c));
  }
  return ids;
}

INT_PTR CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  FormRun& r = g_form;
  switch (msg) {
    case WM_SETFONT:
    case WM_SHOWWINDOW:
      r.order.push_back(msg);
      if (msg == WM_SHOWWINDOW) r.showFlag = wParam;
      return FALSE;
    case WM_INITDIALOG:
      r.order.push_back(msg);
      r.initParam = lParam;
      r.visibleAtInit = IsWindowVisible(hwnd) != FALSE;
      r.ownerSeen = GetWindow(hwnd, GW_OWNER);
      r.zOrder = ChildIds(hwnd);
      SetTimer(hwnd, kTimer, 10, nullptr);
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      r.colors.emplace_back(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), msg);
      return FALSE;
    case WM_TIMER:
      // The modal loop shows the dialog once its queue is first empty; the checks wait for that.
      if (wParam != kTimer || (!IsWindowVisible(hwnd) && ++r.ticksHidden < kTicksToShow)) return FALSE;
      KillTimer(hwnd, kTimer);
      RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      r.ownerEnabledInLoop = IsWindowEnabled(r.owner) != FALSE;
      r.focusInLoop = GetFocus();
      r.focusExpected = GetDlgItem(hwnd, IDC_NAME);
      r.activeInLoop = GetActiveWindow() == hwnd;
      EndDialog(hwnd, 42);
      return TRUE;
    default:
      return FALSE;
  }
}

const char* ColorName(UINT msg) {
  switch (msg) {
    case WM_CTLCOLORDLG: return "DLG";
    case WM_CTLCOLORSTATIC: return "STATIC";
    case WM_CTLCOLOREDIT: return "EDIT";
    case WM_CTLCOLORBTN: return "BTN";
    case WM_CTLCOLORLISTBOX: return "LISTBOX";
    default: return "?";
  }
}

// The kinds control `id` asked with, each once, in the order first asked.
std::string ColorsOf(int id) {
  std::string kinds;
  for (const auto& [control, msg] : g_form.colors) {
    std::string name = ColorName(msg);
    if (control == id && kinds.find(name) == std::string::npos) kinds += (kinds.empty() ? "" : ",") + name;
  }
  return kinds;
}

void CheckModalForm(HWND owner) {
  g_form = FormRun{};
  g_form.owner = owner;
  INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FORM), owner, FormProc, kParam);
  const FormRun& r = g_form;
  ok(result == 42, "DialogBoxParamA returned %d, expected the EndDialog value 42", static_cast<int>(result));
  ok(r.initParam == kParam, "WM_INITDIALOG's lParam is 0x%x, expected the parameter 0x4B37", static_cast<unsigned>(r.initParam));
  std::string order;
  for (UINT m : r.order) {
    if (!order.empty()) order += ',';
    order += m == WM_SETFONT ? "SETFONT" : m == WM_INITDIALOG ? "INITDIALOG" : "SHOWWINDOW";
  }
  ok(order == "SETFONT,INITDIALOG,SHOWWINDOW", "the dialog got {%s}, expected {SETFONT,INITDIALOG,SHOWWINDOW}", order.c_str());
  ok(!r.visibleAtInit, "the dialog is visible during WM_INITDIALOG");
  ok(r.showFlag == TRUE, "WM_SHOWWINDOW's wParam is %u, expected TRUE", static_cast<unsigned>(r.showFlag));
  ok(r.ownerSeen == owner, "the dialog's owner is %p, expected %p", static_cast<void*>(r.ownerSeen), static_cast<void*>(owner));
  ok(r.zOrder == "1006,1001,1002,1007,1003,1004,1005,1008,1,2",
     "the controls follow each other as {%s}, expected the template's order", r.zOrder.c_str());
  ok(!r.ownerEnabledInLoop, "the owner stays enabled while the modal dialog runs");
  ok(r.focusInLoop != nullptr && r.focusInLoop == r.focusExpected,
     "the focus is on %p, expected the first tab stop (the edit control)", static_cast<void*>(r.focusInLoop));
  ok(r.activeInLoop, "the modal dialog is not the active window");
  ok(IsWindowEnabled(owner), "the owner is still disabled after the dialog ended");

  ok(ColorsOf(0) == "DLG", "the dialog asked {%s}, expected {DLG}", ColorsOf(0).c_str());
  ok(ColorsOf(IDC_LABEL) == "STATIC", "the static text asked {%s}, expected {STATIC}", ColorsOf(IDC_LABEL).c_str());
  ok(ColorsOf(IDC_NAME) == "EDIT", "the edit control asked {%s}, expected {EDIT}", ColorsOf(IDC_NAME).c_str());
  ok(ColorsOf(IDC_READONLY) == "STATIC", "the read-only edit control asked {%s}, expected {STATIC}",
     ColorsOf(IDC_READONLY).c_str());
  ok(ColorsOf(IDC_AGREE) == "STATIC", "the check box asked {%s}, expected {STATIC}", ColorsOf(IDC_AGREE).c_str());
  ok(ColorsOf(IDC_FIRST) == "STATIC", "the radio button asked {%s}, expected {STATIC}", ColorsOf(IDC_FIRST).c_str());
  ok(ColorsOf(IDC_GROUP) == "STATIC", "the group box asked {%s}, expected {STATIC}", ColorsOf(IDC_GROUP).c_str());
  ok(ColorsOf(IDOK) == "BTN", "the push button asked {%s}, expected {BTN}", ColorsOf(IDOK).c_str());
  ok(ColorsOf(IDC_LIST) == "LISTBOX", "the list box asked {%s}, expected {LISTBOX}", ColorsOf(IDC_LIST).c_str());
}

// WM_QUIT inside a modal loop ends it; the quit request stays for the outer loop.
HWND g_quitDialog = nullptr;

INT_PTR CALLBACK QuitProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  if (msg != WM_INITDIALOG) return FALSE;
  g_quitDialog = hwnd;
  PostQuitMessage(5);
  return TRUE;
}

void CheckQuitInModalLoop(HWND owner) {
  g_quitDialog = nullptr;
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PLAIN), owner, QuitProc, 0);
  ok(g_quitDialog != nullptr && !IsWindow(g_quitDialog), "the dialog ended by WM_QUIT still exists");
  MSG msg{};
  BOOL quit = PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  ok(quit && msg.message == WM_QUIT && msg.wParam == 5, "after the dialog the queue holds %u (%u), expected WM_QUIT (5)",
     quit ? msg.message : 0u, static_cast<unsigned>(msg.wParam));
}

struct BoxRun {
  HWND owner = nullptr;
  bool ownerEnabled = true;
  HWND box = nullptr;
  char caption[32] = {};
  RECT rect = {};
};
BoxRun g_box;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_box.ownerEnabled = IsWindowEnabled(g_box.owner) != FALSE;
  g_box.box = GetActiveWindow();
  GetWindowTextA(g_box.box, g_box.caption, sizeof g_box.caption);
  GetWindowRect(g_box.box, &g_box.rect);
  PostMessageA(g_box.box, WM_COMMAND, IDOK, 0);
}

// A message box disables its owner while it runs; one without an owner leaves the other top-level
// windows enabled, unless it is MB_TASKMODAL, which disables them all while it is shown. Either
// way it stands centred on the screen (DS_CENTER: the work area of the owner's monitor), not over
// an owner off the centre.
void CheckMessageBox(HWND owner, HWND other, UINT modality = MB_APPLMODAL) {
  g_box = BoxRun{};
  g_box.owner = other;
  const char* what = owner ? "with an owner" : modality == MB_TASKMODAL ? "task-modal" : "without an owner";
  SetTimer(nullptr, 0, 10, AnswerBox);
  int answer = MessageBoxA(owner, "Conformance", "Box caption", MB_OKCANCEL | modality);
  ok(answer == IDOK, "MessageBoxA %s returned %d, expected IDOK from its button", what, answer);
  bool disables = owner || modality == MB_TASKMODAL;
  ok(g_box.ownerEnabled != disables, "the window is %s while a message box %s is shown",
     g_box.ownerEnabled ? "enabled" : "disabled", what);
  ok(std::string(g_box.caption) == "Box caption", "the active window during the box %s is '%s', expected the box",
     what, g_box.caption);
  ok(IsWindowEnabled(other), "the window is disabled after the message box %s", what);
  ok(g_box.box != nullptr && !IsWindow(g_box.box), "the message box %s still exists after it returned", what);
  int dx = static_cast<int>(g_box.rect.left + g_box.rect.right) - GetSystemMetrics(SM_CXSCREEN);
  int dy = static_cast<int>(g_box.rect.top + g_box.rect.bottom) - GetSystemMetrics(SM_CYSCREEN);
  ok(dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2, "the message box %s is at %d,%d-%d,%d, not centred on the screen",
     what, static_cast<int>(g_box.rect.left), static_cast<int>(g_box.rect.top), static_cast<int>(g_box.rect.right),
     static_cast<int>(g_box.rect.bottom));
}

}  // namespace

INT_PTR CALLBACK PlainProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// A dialog made through the "A" functions takes its template's texts through the ANSI code page:
// on code page 1252 (winemu's machine and Wine's prefix here) the Chinese characters are "?".
void CheckTemplateTextInAnsiCodePage(HWND owner) {
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_WIDE_TEXT), owner, PlainProc, 0);
  ok(dialog != nullptr, "CreateDialogParamA(IDD_WIDE_TEXT) failed with %u", static_cast<unsigned>(GetLastError()));
  if (!dialog) return;
  char text[64] = {0};
  int length = GetWindowTextA(GetDlgItem(dialog, IDC_WIDE_TEXT), text, sizeof text);
  ok(length == 6 && std::string(text) == "K7X ?\x3f", "the text reads '%s' (%d bytes), expected 'K7X ?\x3f' (6)", text,
     length);
  DestroyWindow(dialog);
}

void CheckDialogs() {
  HWND owner = CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ok(owner != nullptr, "creating the owner window failed with %u", static_cast<unsigned>(GetLastError()));
  CheckModalForm(owner);
  CheckQuitInModalLoop(owner);
  CheckMessageBox(owner, owner);
  CheckMessageBox(nullptr, owner);
  CheckTemplateTextInAnsiCodePage(owner);
  CheckMessageBox(nullptr, owner, MB_TASKMODAL);
  DestroyWindow(owner);
}

}  // namespace conformance
