// The Button class: push and default push buttons, check boxes, radio buttons, group boxes.
// A click (mouse press and release, or the space bar) on an automatic check box toggles it, on an
// automatic radio button checks it and unchecks the others of its group; then BN_CLICKED goes
// to the parent. Check boxes, radio buttons and group boxes ask their parent for colours with
// WM_CTLCOLORSTATIC, push buttons with WM_CTLCOLORBTN, as Windows' buttons do.
#include "control_data.h"
#include "controls.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

DWORD Type(const Window* w) { return w->style & BS_TYPEMASK; }

bool HasCheck(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
         type == BS_3STATE || type == BS_AUTO3STATE;
}

UINT MaxCheck(DWORD type) {
  if (type == BS_3STATE || type == BS_AUTO3STATE) return BST_INDETERMINATE;
  return HasCheck(type) ? BST_CHECKED : BST_UNCHECKED;
}

void Notify(Window* w, WORD code) {
  if (w->parent)
    Send(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code), reinterpret_cast<LPARAM>(w->handle));
}

void SetState(Window* w, ButtonData& b, bool pushed) {
  UINT now = pushed ? (b.state | BST_PUSHED) : (b.state & ~static_cast<UINT>(BST_PUSHED));
  if (now == b.state) return;
  b.state = now;
  Invalidate(w, false, false);
}

void Release(Window* w, ButtonData& b) {
  if (!b.tracking) return;
  b.tracking = false;
  if (WS().capture == w->handle) ReleaseCapture();
  bool pushed = (b.state & BST_PUSHED) != 0;
  SetState(w, b, false);
  if (!pushed) return;
  switch (Type(w)) {
    case BS_AUTOCHECKBOX: Send(w, BM_SETCHECK, (b.state & BST_CHECKED) ? BST_UNCHECKED : BST_CHECKED, 0); break;
    case BS_AUTORADIOBUTTON: Send(w, BM_SETCHECK, BST_CHECKED, 0); break;
    case BS_AUTO3STATE: Send(w, BM_SETCHECK, ((b.state & 3) + 1) % 3, 0); break;
    default: break;
  }
  if (w->alive) Notify(w, BN_CLICKED);
}

void Paint(Window* w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w->handle, &ps);
  if (w->font) SelectObject(dc, w->font);
  DWORD type = Type(w);
  bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW || type == BS_PUSHBOX;
  HBRUSH brush = ControlColor(w, dc, push ? WM_CTLCOLORBTN : WM_CTLCOLORSTATIC);
  RECT r = ClientRectOf(w);
  if (!push && type != BS_GROUPBOX && brush) FillRect(dc, &r, brush);
  std::string text = ToAnsi(w->text);
  DrawTextA(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | (push ? DT_CENTER : 0));
  EndPaint(w->handle, &ps);
}

}  // namespace

void UncheckOthersInGroup(Window* button) {
  if (!button->parent) return;
  HWND parent = button->parent->handle;
  HWND start = GetNextDlgGroupItem(parent, button->handle, TRUE);
  HWND sibling = start;
  for (size_t guard = 0; sibling && guard <= button->parent->children.size(); ++guard) {
    Window* s = W(sibling);
    if (s && s != button && s->cls->proc == &ButtonProc && Type(s) == BS_AUTORADIOBUTTON)
      Send(s, BM_SETCHECK, BST_UNCHECKED, 0);
    sibling = GetNextDlgGroupItem(parent, sibling, FALSE);
    if (sibling == start) break;
  }
}

LRESULT CALLBACK ButtonProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = W(hWnd);
  if (!w) return 0;
  if (!w->control) w->control = std::make_unique<ButtonData>();
  auto& b = *w->Control<ButtonData>();
  DWORD type = Type(w);
  switch (msg) {
    case WM_GETDLGCODE:
      switch (type) {
        case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX: return DLGC_STATIC;
        default: return DLGC_BUTTON;
      }
    case WM_NCHITTEST: return type == BS_GROUPBOX ? HTTRANSPARENT : HTCLIENT;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w); return 0;
    case WM_ENABLE: Invalidate(w, true, false); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (type == BS_GROUPBOX) return 0;
      SetFocus(hWnd);
      SetCapture(hWnd);
      b.tracking = true;
      SetState(w, b, true);
      return 0;
    case WM_LBUTTONUP: Release(w, b); return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && type != BS_GROUPBOX && !b.tracking) {
        b.tracking = true;
        SetCapture(hWnd);
        SetState(w, b, true);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE) Release(w, b);
      return 0;
    case WM_SETFOCUS:
      b.state |= BST_FOCUS;
      Invalidate(w, false, false);
      if (w->style & BS_NOTIFY) Notify(w, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      b.state &= ~static_cast<UINT>(BST_FOCUS);
      if (b.tracking) {
        b.tracking = false;
        if (WS().capture == hWnd) ReleaseCapture();
        SetState(w, b, false);
      }
      Invalidate(w, false, false);
      if (w->style & BS_NOTIFY) Notify(w, BN_KILLFOCUS);
      return 0;
    case BM_GETCHECK: return HasCheck(type) ? (b.state & 3) : 0;
    case BM_SETCHECK: {
      UINT check = static_cast<UINT>(wParam) > MaxCheck(type) ? MaxCheck(type) : static_cast<UINT>(wParam);
      if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
        w->style = check ? (w->style | WS_TABSTOP) : (w->style & ~static_cast<DWORD>(WS_TABSTOP));
      if ((b.state & 3) != check) {
        b.state = (b.state & ~3u) | check;
        Invalidate(w, false, false);
      }
      if (type == BS_AUTORADIOBUTTON && check == BST_CHECKED && w->IsChild()) UncheckOthersInGroup(w);
      return 0;
    }
    case BM_GETSTATE: return b.state;
    case BM_SETSTATE: SetState(w, b, wParam != 0); return 0;
    case BM_SETSTYLE:
      w->style = (w->style & ~static_cast<DWORD>(BS_TYPEMASK)) | (static_cast<DWORD>(wParam) & BS_TYPEMASK);
      if (lParam) Invalidate(w, true, false);
      return 0;
    case BM_CLICK:
      Send(w, WM_LBUTTONDOWN, 0, 0);
      Send(w, WM_LBUTTONUP, 0, 0);
      return 0;
    case BM_SETIMAGE: {
      HANDLE old = b.image;
      b.image = reinterpret_cast<HANDLE>(lParam);
      Invalidate(w, true, false);
      return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE: return reinterpret_cast<LRESULT>(b.image);
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) Invalidate(w, true, false);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(hWnd, msg, wParam, lParam);
      Invalidate(w, true, false);
      return r;
    }
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}

}  // namespace winemu::user32
