// MessageBoxA: a modal dialog of class #32770 made from a template built here: the icon (static
// id 20), the text (static id 65535) and the buttons of the style with their command ids, in the
// system's language. The owner is disabled while it is shown (with no owner and MB_TASKMODAL,
// every top-level window). Traced once when shown:
//   msgbox owner=<handle or none> style=0x%08X caption="..." text="..."   (UTF-8, machine/quoted.h)
// Escape and the close box answer IDCANCEL when there is a Cancel button, IDOK for MB_OK, and
// nothing otherwise (the close box is then grayed).
#include <algorithm>
#include <cstdio>

#include "machine/quoted.h"
#include "dialog.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

constexpr WORD kIconId = 20;
constexpr WORD kTextId = 0xFFFF;

struct Box {
  UINT style = 0;
  std::vector<int> buttons;
  int defaultId = IDOK;
  LPCSTR icon = nullptr;
  std::string captionUtf8;
  std::string textUtf8;
};

std::vector<int> ButtonsOf(UINT style) {
  std::vector<int> b;
  switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: b = {IDOK, IDCANCEL}; break;
    case MB_ABORTRETRYIGNORE: b = {IDABORT, IDRETRY, IDIGNORE}; break;
    case MB_YESNOCANCEL: b = {IDYES, IDNO, IDCANCEL}; break;
    case MB_YESNO: b = {IDYES, IDNO}; break;
    case MB_RETRYCANCEL: b = {IDRETRY, IDCANCEL}; break;
    case MB_CANCELTRYCONTINUE: b = {IDCANCEL, IDTRYAGAIN, IDCONTINUE}; break;
    default: b = {IDOK}; break;
  }
  if (style & MB_HELP) b.push_back(IDHELP);
  return b;
}

std::u16string Label(int id) {
  WORD lang = M().Config().langId;
  bool chinese = (lang & 0xFF) == 0x04;
  bool simplified = lang == 0x0804 || lang == 0x1004;
  auto pick = [&](const char16_t* en, const char16_t* zhs, const char16_t* zht) {
    return std::u16string(!chinese ? en : simplified ? zhs : zht);
  };
  switch (id) {
    case IDOK: return pick(u"OK", u"确定", u"確定");
    case IDCANCEL: return pick(u"Cancel", u"取消", u"取消");
    case IDABORT: return pick(u"&Abort", u"中止(&A)", u"中止(&A)");
    case IDRETRY: return pick(u"&Retry", u"重试(&R)", u"重試(&R)");
    case IDIGNORE: return pick(u"&Ignore", u"忽略(&I)", u"略過(&I)");
    case IDYES: return pick(u"&Yes", u"是(&Y)", u"是(&Y)");
    case IDNO: return pick(u"&No", u"否(&N)", u"否(&N)");
    case IDTRYAGAIN: return pick(u"&Try Again", u"重试(&T)", u"重試(&T)");
    case IDCONTINUE: return pick(u"&Continue", u"继续(&C)", u"繼續(&C)");
    default: return pick(u"Help", u"帮助", u"說明");
  }
}

LPCSTR IconOfStyle(UINT style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONHAND: return IDI_HAND;
    case MB_ICONQUESTION: return IDI_QUESTION;
    case MB_ICONEXCLAMATION: return IDI_EXCLAMATION;
    case MB_ICONASTERISK: return IDI_ASTERISK;
    default: return nullptr;
  }
}

DialogItem Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, std::u16string text) {
  DialogItem item;
  item.style = WS_CHILD | WS_VISIBLE | style;
  item.x = x;
  item.y = y;
  item.cx = cx;
  item.cy = cy;
  item.id = id;
  item.windowClass.present = true;
  item.windowClass.isOrdinal = true;
  item.windowClass.ordinal = classAtom;
  item.title.present = !text.empty();
  item.title.name = std::move(text);
  return item;
}

// The layout in dialog units of "MS Shell Dlg" 8 pt: text lines of at most 60 characters.
DialogTemplate BuildTemplate(const Box& box, const std::u16string& caption, const std::u16string& text) {
  DialogTemplate t;
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER | DS_3DLOOK;
  if (box.style & (MB_SYSTEMMODAL | MB_TOPMOST)) t.exStyle |= WS_EX_TOPMOST;
  t.title = caption;
  t.hasFont = true;
  t.pointSize = 8;
  t.typeface = u"MS Shell Dlg";
  int lines = 0;
  size_t widest = 0;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(u'\n', start);
    size_t length = (end == std::u16string::npos ? text.size() : end) - start;
    lines += static_cast<int>(std::max<size_t>(1, (length + 59) / 60));
    widest = std::max(widest, std::min<size_t>(length, 60));
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  short textX = box.icon ? 41 : 10;
  auto textWidth = static_cast<short>(std::max<size_t>(widest * 4, 40));
  auto textHeight = static_cast<short>(lines * 8);
  auto buttonsWidth = static_cast<short>(box.buttons.size() * 50 + (box.buttons.size() - 1) * 4);
  short width = std::max<short>(static_cast<short>(textX + textWidth + 10), static_cast<short>(buttonsWidth + 20));
  short top = std::max<short>(textHeight, box.icon ? 20 : 0);
  auto buttonY = static_cast<short>(10 + top + 10);
  if (box.icon) t.items.push_back(Item(SS_ICON, 10, 10, 20, 20, kIconId, 0x0082, u""));
  t.items.push_back(Item(SS_LEFT | SS_NOPREFIX | WS_GROUP, textX, 10, textWidth, textHeight, kTextId, 0x0082, text));
  auto x = static_cast<short>((width - buttonsWidth) / 2);
  for (size_t i = 0; i < box.buttons.size(); ++i) {
    int id = box.buttons[i];
    DWORD style = WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (id == box.defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    t.items.push_back(Item(style, x, buttonY, 50, 14, static_cast<WORD>(id), 0x0080, Label(id)));
    x = static_cast<short>(x + 54);
  }
  t.cx = width;
  t.cy = static_cast<short>(buttonY + 14 + 7);
  return t;
}

bool Has(const Box& box, int id) { return std::find(box.buttons.begin(), box.buttons.end(), id) != box.buttons.end(); }

INT_PTR CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = W(hwnd);
  if (!w) return FALSE;
  switch (msg) {
    case WM_INITDIALOG: {
      auto* box = reinterpret_cast<Box*>(lParam);
      SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
      DialogData& data = Dlg(w);
      data.messageBox = true;
      data.mbStyle = box->style;
      data.mbCaptionUtf8 = box->captionUtf8;
      data.mbTextUtf8 = box->textUtf8;
      if (box->icon) SendDlgItemMessageA(hwnd, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, box->icon)), 0);
      if (!Has(*box, IDCANCEL) && (box->style & MB_TYPEMASK) != MB_OK)
        EnableMenuItem(GetSystemMenu(hwnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
      SetFocus(GetDlgItem(hwnd, box->defaultId));
      return FALSE;
    }
    case WM_COMMAND: {
      auto* box = reinterpret_cast<Box*>(GetWindowLongPtrA(hwnd, DWLP_USER));
      int id = LOWORD(wParam);
      if (!box) return FALSE;
      if (Has(*box, id)) EndDialog(hwnd, id);
      else if (id == IDCANCEL && (box->style & MB_TYPEMASK) == MB_OK) EndDialog(hwnd, IDOK);
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace
}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  Window* owner = hWnd ? WOrFail(hWnd) : nullptr;
  if (hWnd && !owner) return 0;
  std::u16string caption = lpCaption ? FromAnsi(lpCaption) : std::u16string(u"Error");
  std::u16string text = FromAnsi(lpText ? lpText : "");
  Box box;
  box.style = uType;
  box.buttons = ButtonsOf(uType);
  size_t def = (uType & MB_DEFMASK) >> 8;
  box.defaultId = box.buttons[def < box.buttons.size() ? def : 0];
  box.icon = IconOfStyle(uType);
  box.captionUtf8 = ToUtf8(caption);
  box.textUtf8 = ToUtf8(text);
  char style[16];
  std::snprintf(style, sizeof style, "0x%08X", uType);
  Trace("msgbox", "owner=" + HandleText(owner ? Root(owner)->handle : nullptr) + " style=" + style +
                      " caption=" + Quoted(box.captionUtf8) + " text=" + Quoted(box.textUtf8));
  std::vector<HWND> taskDisabled;
  if (!owner && (uType & MB_TASKMODAL))
    for (Window* t : WS().topLevels)
      if (!(t->style & WS_DISABLED)) taskDisabled.push_back(t->handle);
  for (HWND t : taskDisabled) EnableWindow(t, FALSE);
  DialogTemplate t = BuildTemplate(box, caption, text);
  auto result = DialogBoxFrom(t, nullptr, owner ? owner->handle : nullptr, &BoxProc, reinterpret_cast<LPARAM>(&box), -1);
  for (HWND t2 : taskDisabled)
    if (W(t2)) EnableWindow(t2, TRUE);
  return static_cast<int>(result);
}
