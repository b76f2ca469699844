// CreateDialog*, DialogBox*, EndDialog, the modal loop and the dialog units.
//
// Layout: the template's rectangle is in dialog units of its font (base units from the font's
// metrics, gdi32/fonts.h; "MS Sans Serif" 8 pt gives 6 x 13); x pixels = x * baseX / 4 and
// y pixels = y * baseY / 8, rounded as MulDiv. The template's x, y place the client area
// relative to the owner's client area (a popup; the screen with DS_ABSALIGN or without owner) or
// the parent's (a child); DS_CENTER centres it on the screen; a popup is kept on the screen.
#include "dialog.h"

#include <algorithm>
#include <cstring>

#include "gdi32/fonts.h"
#include "gdi32/gdi.h"
#include "kernel32/resources.h"
#include "classes.h"
#include "metrics.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

WindowClass* ClassOf(const NameOrOrdinal& c) {
  if (!c.present) return FindClass(u"#32770");
  return c.isOrdinal ? FindClassAtom(c.ordinal) : FindClass(c.name);
}

RECT DialogWindowRect(const DialogTemplate& t, DWORD style, DWORD exStyle, int bx, int by, Window* parent,
                      Window* owner) {
  int cw = ScaleRound(t.cx, bx, 4);
  int ch = ScaleRound(t.cy, by, 8);
  DWORD effective = (style & (WS_CHILD | WS_POPUP)) ? style : (style | WS_CAPTION);
  Insets in = FrameInsets(effective, exStyle);
  POINT pos{ScaleRound(t.x, bx, 4), ScaleRound(t.y, by, 8)};
  int ww = cw + in.left + in.right;
  int wh = ch + in.top + in.bottom;
  if (parent) return RECT{pos.x - in.left, pos.y - in.top, pos.x - in.left + ww, pos.y - in.top + wh};
  if (style & DS_CENTER) {
    pos = POINT{(kScreenWidth - ww) / 2 + in.left, (kScreenHeight - wh) / 2 + in.top};
  } else if (owner && !(style & DS_ABSALIGN)) {
    POINT o = ClientOrigin(owner);
    pos.x += o.x;
    pos.y += o.y;
  }
  int left = pos.x - in.left;
  int top = pos.y - in.top;
  left = std::max(0, std::min(left, kScreenWidth - ww));
  top = std::max(0, std::min(top, kScreenHeight - wh));
  return RECT{left, top, left + ww, top + wh};
}

HFONT MakeTemplateFont(const DialogTemplate& t) {
  LOGFONTA lf{};
  int points = t.pointSize == 0x7FFF ? 8 : t.pointSize;
  lf.lfHeight = -ScaleRound(points, 96, 72);
  lf.lfWeight = t.weight;
  lf.lfItalic = t.italic;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = PROOF_QUALITY;
  std::string face = t.pointSize == 0x7FFF ? std::string("MS Shell Dlg") : ToAnsi(t.typeface);
  std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return gdi::CreateSystemFont(lf);
}

HWND FirstFocus(HWND dialog) {
  HWND focus = GetNextDlgTabItem(dialog, nullptr, FALSE);
  return focus ? focus : GetNextDlgGroupItem(dialog, nullptr, FALSE);
}

// The dialogs are made through the "A" functions: as user32 does for them, each text of the
// template reaches its window through the ANSI code page, so a character the code page cannot
// hold shows as "?", as WideCharToMultiByte gives it.
bool CreateControls(const DialogTemplate& t, Window* d, HINSTANCE instance) {
  DialogData& data = Dlg(d);
  for (const DialogItem& item : t.items) {
    CreateParams c;
    c.cls = ClassOf(item.windowClass);
    if (!c.cls && !item.windowClass.present) c.cls = FindClass(u"Static");
    std::string ansi;
    if (item.title.isOrdinal) {
      ResId image;
      image.id = item.title.ordinal;
      c.image = image;
      c.ansiName = MAKEINTRESOURCEA(item.title.ordinal);
    } else {
      ansi = ToAnsi(item.title.name);
      c.text = FromAnsi(ansi.c_str());
      c.ansiName = ansi.c_str();
    }
    c.style = item.style | WS_CHILD;
    c.exStyle = item.exStyle | WS_EX_NOPARENTNOTIFY;
    c.x = ScaleRound(item.x, data.baseX, 4);
    c.y = ScaleRound(item.y, data.baseY, 8);
    c.width = ScaleRound(item.cx, data.baseX, 4);
    c.height = ScaleRound(item.cy, data.baseY, 8);
    c.parent = d->handle;
    c.menu = reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(item.id));
    c.instance = instance;
    std::vector<std::uint8_t> data16;
    if (!item.creationData.empty()) {
      auto size = static_cast<std::uint16_t>(item.creationData.size());
      data16 = {static_cast<std::uint8_t>(size & 0xFF), static_cast<std::uint8_t>(size >> 8)};
      data16.insert(data16.end(), item.creationData.begin(), item.creationData.end());
      c.param = data16.data();
    }
    HWND control = c.cls ? CreateWindowInternal(c) : nullptr;
    if (!d->alive) return false;
    if (!control) {
      if (t.style & DS_NOFAILCREATE) continue;
      return false;
    }
    if (data.font) Send(control, WM_SETFONT, reinterpret_cast<WPARAM>(data.font), 0);
    if (Send(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
      if (data.defId) Send(GetDlgItem(d->handle, data.defId), BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
      data.defId = static_cast<int>(item.id);
    }
    if (!d->alive) return false;
  }
  return true;
}

// The template of an "A" resource name, with its integer id (-1 for a string name).
bool LoadTemplate(LPCSTR name, DialogTemplate& out, int& id) {
  ResId dialogType;
  dialogType.id = 5;  // RT_DIALOG
  ResId resName = ResIdFromA(name);
  const ResEntry* e = FindResourceEntry(dialogType, resName);
  if (!e) return SetError(ERROR_RESOURCE_NAME_NOT_FOUND), false;
  DialogTemplateResult r = ParseDialogTemplate(e->data);
  id = resName.isString ? -1 : resName.id;
  if (!r.error.empty()) throw UiError("dialog template " + (resName.isString ? ToUtf8(resName.name) : std::to_string(id)) + ": " + r.error);
  out = std::move(r.dialog);
  return true;
}

}  // namespace

int ScaleRound(int value, int numerator, int denominator) {
  long long product = static_cast<long long>(value) * numerator;
  long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

DialogData& Dlg(Window* w) {
  if (!w->dialog) w->dialog = std::make_unique<DialogData>();
  return *w->dialog;
}

HWND CreateDialogFrom(const DialogTemplate& t, HINSTANCE instance, HWND parentHandle, DLGPROC proc, LPARAM param,
                      int templateId) {
  DWORD style = t.style;
  DWORD exStyle = t.exStyle;
  if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  if (style & DS_CONTROL) {
    style &= ~static_cast<DWORD>(WS_CAPTION | WS_SYSMENU);
    exStyle |= WS_EX_CONTROLPARENT;
  }
  Window* parent = nullptr;
  Window* owner = nullptr;
  if (style & WS_CHILD) {
    parent = WOrFail(parentHandle);
    if (!parent) return nullptr;
  } else if (parentHandle) {
    owner = WOrFail(parentHandle);
    if (!owner) return nullptr;
    owner = Root(owner);
  }
  HFONT font = nullptr;
  int bx = 8, by = 16;
  if (t.hasFont) {
    font = MakeTemplateFont(t);
    gdi::FontMetrics m = gdi::MetricsOfFont(font);
    bx = m.baseUnitX;
    by = m.baseUnitY;
  }
  RECT r = DialogWindowRect(t, style, exStyle, bx, by, parent, owner);
  CreateParams p;
  p.cls = ClassOf(t.windowClass);
  std::string ansiTitle = ToAnsi(t.title);
  p.text = FromAnsi(ansiTitle.c_str());
  p.ansiName = ansiTitle.c_str();
  p.style = style & ~static_cast<DWORD>(WS_VISIBLE);
  p.exStyle = exStyle;
  p.x = r.left;
  p.y = r.top;
  p.width = r.right - r.left;
  p.height = r.bottom - r.top;
  p.parent = parent ? parent->handle : owner ? owner->handle : nullptr;
  p.instance = instance;
  p.param = reinterpret_cast<LPVOID>(param);
  HWND h = CreateWindowInternal(p);
  Window* d = W(h);
  if (!d) {
    if (font) gdi::DeleteSystemObject(font);
    return nullptr;
  }
  DialogData& data = Dlg(d);
  data.templateId = templateId;
  data.font = font;
  data.baseX = bx;
  data.baseY = by;
  if (d->extra.size() >= DWLP_DLGPROC + sizeof(DLGPROC)) SetWindowLongPtrA(h, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  if (font) Send(d, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  if (!d->alive || !CreateControls(t, d, instance)) {
    if (d->alive) DestroyWindow(h);
    return nullptr;
  }
  LRESULT wantsFocus = Send(d, WM_INITDIALOG, reinterpret_cast<WPARAM>(FirstFocus(h)), param);
  if (!d->alive) return nullptr;
  if (wantsFocus && (!(t.style & DS_CONTROL) || (t.style & WS_VISIBLE))) {
    if (HWND focus = FirstFocus(h)) {
      if (Send(focus, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) Send(focus, EM_SETSEL, 0, -1);
      SetFocus(focus);
    } else if (!(t.style & WS_CHILD)) {
      SetFocus(h);
    }
  }
  if (d->alive && (t.style & WS_VISIBLE) && !(d->style & WS_VISIBLE)) ShowWindow(h, SW_SHOWNORMAL);
  return d->alive ? h : nullptr;
}

INT_PTR DialogBoxFrom(const DialogTemplate& t, HINSTANCE instance, HWND parentHandle, DLGPROC proc, LPARAM param,
                      int templateId) {
  Window* owner = parentHandle ? WOrFail(parentHandle) : nullptr;
  if (parentHandle && !owner) return -1;
  owner = Root(owner);
  HWND disabled = nullptr;
  if (owner && !(owner->style & WS_DISABLED)) {
    disabled = owner->handle;
    EnableWindow(disabled, FALSE);
  }
  HWND h = CreateDialogFrom(t, instance, owner ? owner->handle : parentHandle, proc, param, templateId);
  Window* d = W(h);
  if (!d) {
    if (W(disabled)) EnableWindow(disabled, TRUE);
    return -1;
  }
  DialogData& data = Dlg(d);
  data.modal = true;
  data.disabledOwner = disabled;
  bool firstEmpty = true;
  for (;;) {
    if (!d->alive || data.ended) break;
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (firstEmpty) {
        firstEmpty = false;
        if (!(d->style & WS_VISIBLE)) {
          ShowWindow(h, SW_SHOWNORMAL);
          continue;
        }
      }
      if (owner && owner->alive && !(t.style & DS_NOIDLEMSG))
        Send(owner, WM_ENTERIDLE, data.messageBox ? MSGF_MESSAGEBOX : MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(h));
      if (!d->alive || data.ended) break;
      if (!GetMessageA(&msg, nullptr, 0, 0)) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
    } else if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!d->alive) break;
    if (!IsDialogMessageA(h, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  INT_PTR result = data.ended ? data.result : 0;
  if (W(data.disabledOwner)) EnableWindow(data.disabledOwner, TRUE);
  data.disabledOwner = nullptr;
  if (d->alive) DestroyWindow(h);
  return result;
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam) {
  DialogTemplate t;
  int id = -1;
  if (!LoadTemplate(lpTemplateName, t, id)) return nullptr;
  return CreateDialogFrom(t, hInstance, hWndParent, lpDialogFunc, dwInitParam, id);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc,
                               LPARAM dwInitParam) {
  DialogTemplate t;
  int id = -1;
  if (!LoadTemplate(lpTemplateName, t, id)) return -1;
  return DialogBoxFrom(t, hInstance, hWndParent, lpDialogFunc, dwInitParam, id);
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
  Window* w = WOrFail(hDlg);
  if (!w) return FALSE;
  DialogData& data = Dlg(w);
  data.result = nResult;
  data.ended = true;
  // A program's dialog (not a message box) ends, modal or not: with its owner, so that a run's
  // outcome can tell the main dialog's Cancel from a dialog it opened.
  if (!data.messageBox)
    Trace("dialog.end", "owner=" + HandleText(w->owner ? w->owner->handle : nullptr) + " template=" +
                            std::to_string(data.templateId) + " result=" + std::to_string(nResult));
  if (W(data.disabledOwner)) EnableWindow(data.disabledOwner, TRUE);
  data.disabledOwner = nullptr;
  SetWindowPos(hDlg, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  return TRUE;
}

LONG WINAPI GetDialogBaseUnits(void) { return MAKELONG(8, 16); }

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect) {
  Window* w = WOrFail(hDlg);
  if (!w || !lpRect) return FALSE;
  DialogData& data = Dlg(w);
  lpRect->left = ScaleRound(lpRect->left, data.baseX, 4);
  lpRect->right = ScaleRound(lpRect->right, data.baseX, 4);
  lpRect->top = ScaleRound(lpRect->top, data.baseY, 8);
  lpRect->bottom = ScaleRound(lpRect->bottom, data.baseY, 8);
  return TRUE;
}
