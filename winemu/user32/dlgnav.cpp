// IsDialogMessageA, GetNextDlgTabItem, GetNextDlgGroupItem and the default push button.
//
// Tab order is the child (z) order; a child with WS_EX_CONTROLPARENT that is visible and enabled
// is entered and its own children take its place in the order. A tab stop is a child with
// WS_TABSTOP, WS_VISIBLE and not WS_DISABLED. A group runs from a WS_GROUP child to the next
// one. IsDialogMessage sends its commands (IDCANCEL, IDOK, the default button) to the dialog
// it was called for (or the first ancestor that is not a DS_CONTROL child dialog). Alt+letter
// (WM_SYSCHAR) finds the control whose text has that & mnemonic: a button is clicked (a radio
// button or check box takes the focus first), a static text hands the focus to the next tab stop.
#include "dlgnav.h"

#include <algorithm>
#include <cctype>

#include "controls.h"
#include "dialog.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

bool Eligible(const Window* w) { return (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED); }

bool IsTabStop(const Window* w) { return Eligible(w) && (w->style & WS_TABSTOP); }

bool Enters(const Window* w) { return (w->exStyle & WS_EX_CONTROLPARENT) && Eligible(w); }

// The dialog's controls in tab order; containers on the way to `through` are entered too.
void Flatten(const Window* parent, const Window* through, std::vector<Window*>& out) {
  for (Window* c : parent->children) {
    bool onPath = through && IsDescendant(c, through);
    if (Enters(c) || onPath) {
      if (onPath && !Enters(c)) out.push_back(c);
      Flatten(c, through, out);
    } else {
      out.push_back(c);
    }
  }
}

Window* Dest(Window* d) {
  while ((d->style & DS_CONTROL) && d->parent && d->parent->dialog) d = d->parent;
  return d;
}

Window* CurrentDefault(Window* dialog) {
  std::vector<Window*> all;
  Flatten(dialog, nullptr, all);
  for (Window* c : all)
    if (Send(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return c;
  return nullptr;
}

void SetButtonStyle(Window* b, DWORD style) { Send(b, BM_SETSTYLE, style, TRUE); }

void PressEnter(Window* dest) {
  Window* focus = W(WS().focus);
  if (focus && IsDescendant(dest, focus) && Eligible(focus) &&
      (Send(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
    Send(dest, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(focus->id), BN_CLICKED), reinterpret_cast<LPARAM>(focus->handle));
    return;
  }
  DWORD def = static_cast<DWORD>(Send(dest, DM_GETDEFID, 0, 0));
  if (HIWORD(def) == DC_HASDEFID) {
    HWND button = GetDlgItem(dest->handle, LOWORD(def));
    if (!button || IsWindowEnabled(button))
      Send(dest, WM_COMMAND, MAKEWPARAM(LOWORD(def), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return;
  }
  Send(dest, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(dest->handle, IDOK)));
}

bool PressMnemonic(Window* dest, WPARAM ch) {
  if (ch >= 0x80) return false;
  char wanted = static_cast<char>(std::tolower(static_cast<int>(ch)));
  std::vector<Window*> order;
  Flatten(dest, W(WS().focus), order);
  for (size_t i = 0; i < order.size(); ++i) {
    Window* c = order[i];
    if (!Eligible(c) || !wanted || MnemonicOf(c->text) != wanted) continue;
    LRESULT code = Send(c, WM_GETDLGCODE, 0, 0);
    if (code & DLGC_STATIC) {
      if (c->style & SS_NOPREFIX) continue;
      for (size_t j = i + 1; j < order.size(); ++j)
        if (IsTabStop(order[j])) {
          Send(dest, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(order[j]->handle), 1);
          break;
        }
      return true;
    }
    if (!(code & DLGC_BUTTON)) continue;
    if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) SetFocus(c->handle);
    Send(c, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

}  // namespace

char MnemonicOf(std::u16string_view text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    char16_t c = text[i + 1];
    if (c == u'&') {
      ++i;
      continue;
    }
    if (c < 0x80 && std::isalnum(static_cast<unsigned char>(c))) return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return 0;
  }
  return 0;
}

void SetDefaultButton(Window* dialog, int id) {
  Dlg(dialog).defId = id;
  Window* now = W(GetDlgItem(dialog->handle, id));
  Window* old = CurrentDefault(dialog);
  if (old && old != now) SetButtonStyle(old, BS_PUSHBUTTON);
  if (now && IsPushButton(now)) SetButtonStyle(now, BS_DEFPUSHBUTTON);
}

void FocusControl(Window* dialog, Window* control) {
  LRESULT code = Send(control, WM_GETDLGCODE, 0, 0);
  if (code & DLGC_HASSETSEL) Send(control, EM_SETSEL, 0, -1);
  SetFocus(control->handle);
  Window* old = CurrentDefault(dialog);
  if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
    if (old && old != control) SetButtonStyle(old, BS_PUSHBUTTON);
    if (code & DLGC_UNDEFPUSHBUTTON) SetButtonStyle(control, BS_DEFPUSHBUTTON);
    return;
  }
  Window* def = W(GetDlgItem(dialog->handle, Dlg(dialog).defId));
  if (old && old != def) SetButtonStyle(old, BS_PUSHBUTTON);
  if (def && def != old && IsPushButton(def)) SetButtonStyle(def, BS_DEFPUSHBUTTON);
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  Window* d = WOrFail(hDlg);
  if (!d) return nullptr;
  if (hCtl == hDlg) hCtl = nullptr;
  Window* c = W(hCtl);
  std::vector<Window*> order;
  Flatten(d, c, order);
  if (order.empty()) return nullptr;
  long n = static_cast<long>(order.size());
  long at = c ? static_cast<long>(std::find(order.begin(), order.end(), c) - order.begin()) : n;
  if (at == n) {  // no current control: search from one end
    for (long i = 0; i < n; ++i) {
      Window* x = order[static_cast<size_t>(bPrevious ? n - 1 - i : i)];
      if (IsTabStop(x)) return x->handle;
    }
    return hCtl;
  }
  for (long step = 1; step <= n; ++step) {
    long i = ((bPrevious ? at - step : at + step) % n + n) % n;
    if (IsTabStop(order[static_cast<size_t>(i)])) return order[static_cast<size_t>(i)]->handle;
  }
  return hCtl;
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  Window* d = WOrFail(hDlg);
  if (!d) return nullptr;
  Window* c = W(hCtl);
  if (!c || c == d) {
    for (Window* x : d->children)
      if (Eligible(x)) return x->handle;
    return nullptr;
  }
  const auto& siblings = c->parent ? c->parent->children : WS().topLevels;
  long at = static_cast<long>(std::find(siblings.begin(), siblings.end(), c) - siblings.begin());
  long start = at;
  while (start > 0 && !(siblings[static_cast<size_t>(start)]->style & WS_GROUP)) --start;
  long end = at + 1;
  while (end < static_cast<long>(siblings.size()) && !(siblings[static_cast<size_t>(end)]->style & WS_GROUP)) ++end;
  long size = end - start;
  for (long step = 1; step <= size; ++step) {
    long i = start + (((at - start) + (bPrevious ? -step : step)) % size + size) % size;
    if (Eligible(siblings[static_cast<size_t>(i)])) return siblings[static_cast<size_t>(i)]->handle;
  }
  return hCtl;
}

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg) {
  Window* d = W(hDlg);
  if (!d || !lpMsg) return FALSE;
  Window* target = W(lpMsg->hwnd);
  if (lpMsg->hwnd != hDlg && !(target && IsDescendant(d, target))) return FALSE;
  Window* dest = Dest(d);
  switch (lpMsg->message) {
    case WM_KEYDOWN: {
      LRESULT code = Send(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
      if (code & DLGC_WANTMESSAGE) break;
      switch (lpMsg->wParam) {
        case VK_TAB:
          if (code & DLGC_WANTTAB) break;
          Send(dest, WM_NEXTDLGCTL, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0);
          return TRUE;
        case VK_RIGHT:
        case VK_DOWN:
        case VK_LEFT:
        case VK_UP: {
          if (code & DLGC_WANTARROWS) break;
          BOOL previous = lpMsg->wParam == VK_LEFT || lpMsg->wParam == VK_UP;
          Window* next = W(GetNextDlgGroupItem(dest->handle, GetFocus(), previous));
          if (next && Send(next, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg)) == (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
            SetFocus(next->handle);
            if ((next->style & BS_TYPEMASK) == BS_AUTORADIOBUTTON && Send(next, BM_GETCHECK, 0, 0) != BST_CHECKED)
              Send(next, BM_CLICK, 1, 0);
          } else {
            Send(dest, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next ? next->handle : nullptr), 1);
          }
          return TRUE;
        }
        case VK_CANCEL:
        case VK_ESCAPE:
          Send(dest, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(dest->handle, IDCANCEL)));
          return TRUE;
        case VK_EXECUTE:
        case VK_RETURN: PressEnter(dest); return TRUE;
        default: break;
      }
      break;
    }
    case WM_SYSCHAR:
      if (PressMnemonic(dest, lpMsg->wParam)) return TRUE;
      break;
    default: break;
  }
  TranslateMessage(lpMsg);
  DispatchMessageA(lpMsg);
  return TRUE;
}
