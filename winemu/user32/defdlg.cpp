// DefDlgProcA: the dialog class's window procedure. It calls the dialog procedure first; a
// message the procedure did not handle (returned FALSE) gets the dialog manager's default.
// A handled message's result is DWLP_MSGRESULT, except for the messages whose result the
// dialog procedure returns itself (WM_CTLCOLOR*, WM_INITDIALOG, WM_QUERYDRAGICON, ...).
#include "gdi32/gdi.h"
#include "controls.h"
#include "dialog.h"
#include "dlgnav.h"
#include "paint.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

void SaveFocus(Window* d) {
  Window* f = W(WS().focus);
  if (f && IsDescendant(d, f)) Dlg(d).savedFocus = f->handle;
}

void RestoreFocus(Window* d, bool justActivated) {
  if (d->style & WS_MINIMIZE) return;
  DialogData& data = Dlg(d);
  if (data.ended) return;
  Window* saved = W(data.savedFocus);
  if (!saved || !IsDescendant(d, saved)) {
    if (justActivated) return;
    HWND first = GetNextDlgTabItem(d->handle, nullptr, FALSE);
    if (!first) first = GetNextDlgGroupItem(d->handle, nullptr, FALSE);
    saved = W(first);
    if (!saved) return;
  }
  if (!justActivated && (Send(saved, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)) Send(saved, EM_SETSEL, 0, -1);
  SetFocus(saved->handle);
  data.savedFocus = nullptr;
}

LRESULT DefaultDialog(Window* d, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND h = d->handle;
  DialogData& data = Dlg(d);
  switch (msg) {
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      auto brush = reinterpret_cast<HBRUSH>(Send(d, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(h)));
      if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcA(h, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(h)));
      RecordCtlColor(dc, WM_CTLCOLORDLG, brush);
      RECT r = ClientRectOf(d);
      if (brush) FillRect(dc, &r, brush);
      return 1;
    }
    case WM_NCDESTROY:
      if (data.font) gdi::DeleteSystemObject(data.font);
      data.font = nullptr;
      return DefWindowProcA(h, msg, wParam, lParam);
    case WM_SHOWWINDOW:
      if (!wParam) SaveFocus(d);
      return DefWindowProcA(h, msg, wParam, lParam);
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) RestoreFocus(d, true);
      else SaveFocus(d);
      return 0;
    case WM_SETFOCUS: RestoreFocus(d, false); return 0;
    case DM_SETDEFID:
      if (data.ended) return FALSE;
      SetDefaultButton(d, static_cast<int>(wParam));
      return TRUE;
    case DM_GETDEFID: {
      if (data.ended) return 0;
      if (data.defId) return MAKELONG(data.defId, DC_HASDEFID);
      for (Window* c : d->children)
        if (Send(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return MAKELONG(static_cast<WORD>(c->id), DC_HASDEFID);
      return 0;
    }
    case WM_NEXTDLGCTL: {
      Window* target = lParam ? W(reinterpret_cast<HWND>(wParam)) : W(GetNextDlgTabItem(h, GetFocus(), wParam != 0));
      if (target) FocusControl(d, target);
      return 0;
    }
    case WM_GETFONT: return reinterpret_cast<LRESULT>(data.font);
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(h, IDCANCEL);
      if (!cancel || IsWindowEnabled(cancel)) PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) SaveFocus(d);
      return DefWindowProcA(h, msg, wParam, lParam);
    case WM_INITDIALOG:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM: return 0;
    default: return DefWindowProcA(h, msg, wParam, lParam);
  }
}

bool ReturnsOwnResult(UINT msg) {
  return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM ||
         msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON || msg == WM_INITDIALOG;
}

}  // namespace
}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* d = W(hDlg);
  if (!d) return 0;
  DLGPROC proc = nullptr;
  bool hasSlots = d->extra.size() >= DWLP_USER;
  if (hasSlots) {
    SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0);
    proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hDlg, DWLP_DLGPROC));
  }
  INT_PTR result = proc ? proc(hDlg, Msg, wParam, lParam) : 0;
  if (!result && d->alive) return DefaultDialog(d, Msg, wParam, lParam);
  if (ReturnsOwnResult(Msg) || !d->alive || !hasSlots) return result;
  return GetWindowLongPtrA(hDlg, DWLP_MSGRESULT);
}
