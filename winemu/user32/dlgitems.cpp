// The dialog item shorthands: SetDlgItemTextA, CheckDlgButton, CheckRadioButton ...
#include <cstdio>
#include <cstdlib>

#include "window_ops.h"

using namespace winemu;
using namespace winemu::user32;

BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item ? SetWindowTextA(item, lpString) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  if (!item) {
    if (lpString && cchMax > 0) lpString[0] = '\0';
    return 0;
  }
  return static_cast<UINT>(GetWindowTextA(item, lpString, cchMax));
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
  HWND b = GetDlgItem(hDlg, nIDButton);
  if (!b) return FALSE;
  SendMessageA(b, BM_SETCHECK, uCheck, 0);
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton) {
  HWND b = GetDlgItem(hDlg, nIDButton);
  return b ? static_cast<UINT>(SendMessageA(b, BM_GETCHECK, 0, 0)) : 0;
}

// Every control of the dialog whose id lies from the first to the last id is checked or unchecked.
BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
  Window* d = WOrFail(hDlg);
  if (!d) return FALSE;
  struct Range {
    int first, last, check;
  } range{nIDFirstButton, nIDLastButton, nIDCheckButton};
  EnumChildWindows(
      hDlg,
      [](HWND child, LPARAM p) -> BOOL {
        auto* r = reinterpret_cast<Range*>(p);
        int id = GetDlgCtrlID(child);
        if (id >= r->first && id <= r->last) SendMessageA(child, BM_SETCHECK, id == r->check ? BST_CHECKED : BST_UNCHECKED, 0);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&range));
  return TRUE;
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
  HWND item = GetDlgItem(hDlg, nIDDlgItem);
  return item ? SendMessageA(item, Msg, wParam, lParam) : 0;
}
