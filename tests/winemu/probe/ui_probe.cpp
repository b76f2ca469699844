// A small program on winemu for the run command's tests: the controls dialog, whose OK asks
// "Sure?" in a message box first. It ends with 0 when the dialog ended with OK.
#include <windows.h>

#include "../res/ui_test_ids.h"

namespace {

INT_PTR CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK && MessageBoxA(hwnd, "Sure?", "Probe", MB_YESNO | MB_ICONQUESTION) == IDYES) EndDialog(hwnd, IDOK);
  if (LOWORD(wParam) == IDCANCEL) EndDialog(hwnd, IDCANCEL);
  return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INT_PTR r = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CONTROLS), nullptr, &ProbeProc, 0);
  return r == IDOK ? 0 : 3;
}
