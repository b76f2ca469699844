// The Edit class, single line: text, selection, read-only state, typing. A read-only or disabled
// edit asks its parent for colours with WM_CTLCOLORSTATIC, an editable one with WM_CTLCOLOREDIT.
#include <algorithm>

#include "control_data.h"
#include "controls.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

void Notify(Window* w, WORD code) {
  if (w->parent)
    Send(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code), reinterpret_cast<LPARAM>(w->handle));
}

void Changed(Window* w, EditData& e) {
  e.modified = true;
  Invalidate(w, true, false);
  Notify(w, EN_UPDATE);
  if (w->alive) Notify(w, EN_CHANGE);
}

void ClampSelection(Window* w, EditData& e) {
  auto n = static_cast<DWORD>(w->text.size());
  e.selStart = std::min(e.selStart, n);
  e.selEnd = std::min(e.selEnd, n);
}

void Replace(Window* w, EditData& e, std::u16string_view with) {
  ClampSelection(w, e);
  DWORD from = std::min(e.selStart, e.selEnd);
  DWORD to = std::max(e.selStart, e.selEnd);
  std::u16string text = w->text.substr(0, from) + std::u16string(with) + w->text.substr(to);
  if (text.size() > e.limit) return;
  w->text = text;
  e.selStart = e.selEnd = from + static_cast<DWORD>(with.size());
}

void Type(Window* w, EditData& e, unsigned char c) {
  if (w->style & ES_READONLY) return;
  if (c == 0x08) {
    ClampSelection(w, e);
    if (e.selStart == e.selEnd && e.selStart > 0) --e.selStart;
    Replace(w, e, u"");
    Changed(w, e);
    return;
  }
  if (c < 0x20) return;
  std::string bytes;
  if (e.leadByte) {
    bytes = {e.leadByte, static_cast<char>(c)};
    e.leadByte = 0;
  } else {
    bytes = std::string(1, static_cast<char>(c));
    std::u16string one = FromAnsi(bytes.c_str());
    if (one == u"\uFFFD" && c >= 0x81) {  // the lead byte of a double-byte character
      e.leadByte = static_cast<char>(c);
      return;
    }
  }
  Replace(w, e, FromAnsi(bytes.c_str()));
  Changed(w, e);
}

void Paint(Window* w) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w->handle, &ps);
  if (w->font) SelectObject(dc, w->font);
  bool staticLook = (w->style & ES_READONLY) || (w->style & WS_DISABLED);
  HBRUSH brush = ControlColor(w, dc, staticLook ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  RECT r = ClientRectOf(w);
  if (brush) FillRect(dc, &r, brush);
  std::u16string shown = (w->style & ES_PASSWORD) ? std::u16string(w->text.size(), u'*') : w->text;
  std::string text = ToAnsi(shown);
  DrawTextA(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_NOPREFIX);
  EndPaint(w->handle, &ps);
}

}  // namespace

LRESULT CALLBACK EditProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = W(hWnd);
  if (!w) return 0;
  if (!w->control) w->control = std::make_unique<EditData>();
  auto& e = *w->Control<EditData>();
  switch (msg) {
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      if (w->style & ES_MULTILINE) code |= DLGC_WANTALLKEYS;
      return code;
    }
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w); return 0;
    case WM_ENABLE: Invalidate(w, true, false); return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(hWnd, msg, wParam, lParam);
      e.selStart = e.selEnd = 0;
      e.modified = false;
      Invalidate(w, true, false);
      if (!(w->style & ES_MULTILINE)) {
        Notify(w, EN_UPDATE);
        if (w->alive) Notify(w, EN_CHANGE);
      }
      return r;
    }
    case WM_CHAR: Type(w, e, static_cast<unsigned char>(wParam)); return 0;
    case WM_KEYDOWN: {
      ClampSelection(w, e);
      auto n = static_cast<DWORD>(w->text.size());
      switch (wParam) {
        case VK_LEFT: e.selStart = e.selEnd = e.selEnd > 0 ? e.selEnd - 1 : 0; break;
        case VK_RIGHT: e.selStart = e.selEnd = std::min(n, e.selEnd + 1); break;
        case VK_HOME: e.selStart = e.selEnd = 0; break;
        case VK_END: e.selStart = e.selEnd = n; break;
        case VK_DELETE:
          if (!(w->style & ES_READONLY)) {
            if (e.selStart == e.selEnd && e.selEnd < n) ++e.selEnd;
            Replace(w, e, u"");
            Changed(w, e);
          }
          break;
        default: break;
      }
      return 0;
    }
    case WM_LBUTTONDOWN: SetFocus(hWnd); return 0;
    case WM_SETFOCUS: Invalidate(w, false, false); Notify(w, EN_SETFOCUS); return 0;
    case WM_KILLFOCUS: Invalidate(w, false, false); Notify(w, EN_KILLFOCUS); return 0;
    case EM_GETSEL:
      ClampSelection(w, e);
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = e.selStart;
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = e.selEnd;
      return MAKELONG(std::min<DWORD>(e.selStart, 0xFFFF), std::min<DWORD>(e.selEnd, 0xFFFF));
    case EM_SETSEL: {
      auto n = static_cast<DWORD>(w->text.size());
      auto start = static_cast<LONG>(wParam);
      auto end = static_cast<LONG>(lParam);
      if (start < 0) {
        e.selStart = e.selEnd = std::min(e.selEnd, n);
        return 0;
      }
      e.selStart = std::min(static_cast<DWORD>(start), n);
      e.selEnd = end < 0 ? n : std::min(static_cast<DWORD>(end), n);
      return 0;
    }
    case EM_REPLACESEL:
      Replace(w, e, FromAnsi(reinterpret_cast<const char*>(lParam)));
      Changed(w, e);
      return 0;
    case EM_SETREADONLY:
      w->style = wParam ? (w->style | ES_READONLY) : (w->style & ~static_cast<DWORD>(ES_READONLY));
      Invalidate(w, true, false);
      return TRUE;
    case EM_LIMITTEXT: e.limit = wParam ? static_cast<DWORD>(wParam) : 0x7FFFFFFE; return 0;
    case EM_GETLIMITTEXT: return e.limit;
    case EM_GETMODIFY: return e.modified;
    case EM_SETMODIFY: e.modified = wParam != 0; return 0;
    case EM_GETLINECOUNT: return 1;
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) Invalidate(w, true, false);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}

}  // namespace winemu::user32
