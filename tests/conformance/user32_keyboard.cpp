// user32: IsDialogMessageA's keyboard rules in a modeless dialog: Tab through the tab stops and
// around, arrows within a group of radio buttons (checking the automatic one reached), Enter for
// the default button, Escape for Cancel, and messages of other windows left alone.
#include "check.h"
#include "conformance_ids.h"
#include "parts.h"

namespace conformance {
namespace {

int g_lastCommand = 0;

INT_PTR CALLBACK KeyProc(HWND, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    g_lastCommand = LOWORD(wParam);
    return TRUE;
  }
  return FALSE;
}

// Offers a key press on the focused control to the dialog; whether it took it.
BOOL Press(HWND dialog, WPARAM key) {
  MSG msg{GetFocus(), WM_KEYDOWN, key, 1, 0, {0, 0}};
  return IsDialogMessageA(dialog, &msg);
}

int FocusedId() { return GetFocus() ? GetDlgCtrlID(GetFocus()) : 0; }

void ExpectTab(HWND dialog, int from, int to) {
  SetFocus(GetDlgItem(dialog, from));
  BOOL taken = Press(dialog, VK_TAB);
  ok(taken && FocusedId() == to, "Tab from %d: taken %d, focus on %d, expected %d", from, taken, FocusedId(), to);
}

}  // namespace

void CheckKeyboard() {
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FORM), nullptr, KeyProc, 0);
  ok(dialog != nullptr, "CreateDialogParamA failed with %u", static_cast<unsigned>(GetLastError()));
  ShowWindow(dialog, SW_SHOW);
  ExpectTab(dialog, IDC_NAME, IDC_AGREE);
  ExpectTab(dialog, IDC_AGREE, IDC_FIRST);
  ExpectTab(dialog, IDC_FIRST, IDC_SECOND);
  ExpectTab(dialog, IDC_SECOND, IDC_LIST);
  ExpectTab(dialog, IDC_READONLY, IDOK);
  ExpectTab(dialog, IDCANCEL, IDC_NAME);

  ok(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDC_LIST), FALSE) == GetDlgItem(dialog, IDC_READONLY),
     "GetNextDlgTabItem after the list box is not the read-only edit control");
  ok(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDC_NAME), TRUE) == GetDlgItem(dialog, IDCANCEL),
     "GetNextDlgTabItem before the first tab stop is not the last one");
  ok(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, IDC_SECOND), FALSE) == GetDlgItem(dialog, IDC_FIRST),
     "GetNextDlgGroupItem after the group's last radio button does not wrap to its first");

  CheckRadioButton(dialog, IDC_FIRST, IDC_SECOND, IDC_FIRST);
  SetFocus(GetDlgItem(dialog, IDC_FIRST));
  BOOL taken = Press(dialog, VK_DOWN);
  ok(taken && FocusedId() == IDC_SECOND, "Down from the first radio button: focus on %d, expected %d", FocusedId(),
     IDC_SECOND);
  ok(IsDlgButtonChecked(dialog, IDC_SECOND) == BST_CHECKED && IsDlgButtonChecked(dialog, IDC_FIRST) == BST_UNCHECKED,
     "Down to an automatic radio button checks it (first %u, second %u)", IsDlgButtonChecked(dialog, IDC_FIRST),
     IsDlgButtonChecked(dialog, IDC_SECOND));
  Press(dialog, VK_DOWN);
  ok(FocusedId() == IDC_FIRST, "Down from the group's last radio button: focus on %d, expected %d", FocusedId(), IDC_FIRST);

  g_lastCommand = 0;
  SetFocus(GetDlgItem(dialog, IDC_NAME));
  ok(Press(dialog, VK_RETURN) && g_lastCommand == IDOK, "Enter in the edit control sent command %d, expected IDOK",
     g_lastCommand);
  g_lastCommand = 0;
  ok(Press(dialog, VK_ESCAPE) && g_lastCommand == IDCANCEL, "Escape sent command %d, expected IDCANCEL", g_lastCommand);

  HWND other = CreateWindowExA(0, "STATIC", "Other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  MSG foreign{other, WM_KEYDOWN, VK_TAB, 1, 0, {0, 0}};
  ok(!IsDialogMessageA(dialog, &foreign), "IsDialogMessageA took a key meant for another window");
  DestroyWindow(other);
  DestroyWindow(dialog);
  ok(!IsWindow(dialog), "DestroyWindow left the modeless dialog");
}

}  // namespace conformance
