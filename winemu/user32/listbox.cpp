// The ListBox class, single selection. A mouse click on an entry selects it and, on the release,
// sends LBN_SELCHANGE (LBS_NOTIFY); Up, Down, Home, End, Page Up, Page Down and Space select with
// the keyboard and notify too. LBS_SORT keeps the entries in order (without case).
#include <algorithm>

#include "gdi32/fonts.h"
#include "control_data.h"
#include "controls.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

void Notify(Window* w, WORD code) {
  if (w->parent && (w->style & LBS_NOTIFY))
    Send(w->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(w->id), code), reinterpret_cast<LPARAM>(w->handle));
}

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

int Compare(const std::u16string& a, const std::u16string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (Fold(a[i]) != Fold(b[i])) return Fold(a[i]) < Fold(b[i]) ? -1 : 1;
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsWith(const std::u16string& item, const std::u16string& prefix) {
  if (prefix.size() > item.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Fold(item[i]) != Fold(prefix[i])) return false;
  return true;
}

int VisibleRows(const Window* w, const ListBoxData& l) {
  RECT c = ClientRectOf(w);
  return std::max(1, static_cast<int>(c.bottom) / std::max(1, l.itemHeight));
}

void EnsureVisible(const Window* w, ListBoxData& l, int index) {
  if (index < 0) return;
  int rows = VisibleRows(w, l);
  if (index < l.top) l.top = index;
  else if (index >= l.top + rows) l.top = index - rows + 1;
}

LRESULT Insert(Window* w, ListBoxData& l, int at, const char* text) {
  if (!text) return LB_ERR;
  std::u16string item = FromAnsi(text);
  auto count = static_cast<int>(l.items.size());
  if (at < 0 || at > count) at = count;
  l.items.insert(l.items.begin() + at, item);
  if (l.selected >= at) ++l.selected;
  Invalidate(w, true, false);
  return at;
}

void Select(Window* w, ListBoxData& l, int index) {
  l.selected = index;
  if (index >= 0) l.caret = index;
  EnsureVisible(w, l, index);
  Invalidate(w, true, false);
}

// The first entry after `after` (wrapping) that starts with `text`, letter case aside.
int Find(const ListBoxData& l, int after, const char* text) {
  std::u16string want = FromAnsi(text);
  auto count = static_cast<int>(l.items.size());
  for (int step = 1; step <= count; ++step) {
    int i = ((after < 0 ? -1 : after) + step) % count;
    if (StartsWith(l.items[static_cast<size_t>(i)], want)) return i;
  }
  return LB_ERR;
}

void Key(Window* w, ListBoxData& l, WPARAM vk) {
  auto count = static_cast<int>(l.items.size());
  if (count == 0) return;
  int caret = l.caret;
  int rows = VisibleRows(w, l);
  switch (vk) {
    case VK_UP: caret = caret - 1; break;
    case VK_DOWN: caret = caret + 1; break;
    case VK_HOME: caret = 0; break;
    case VK_END: caret = count - 1; break;
    case VK_PRIOR: caret = caret - rows; break;
    case VK_NEXT: caret = caret + rows; break;
    case VK_SPACE: break;
    default: return;
  }
  Select(w, l, std::clamp(caret, 0, count - 1));
  Notify(w, LBN_SELCHANGE);
}

void Paint(Window* w, ListBoxData& l) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(w->handle, &ps);
  if (w->font) SelectObject(dc, w->font);
  HBRUSH brush = ControlColor(w, dc, WM_CTLCOLORLISTBOX);
  RECT client = ClientRectOf(w);
  if (brush) FillRect(dc, &client, brush);
  int rows = VisibleRows(w, l);
  for (int i = l.top; i < static_cast<int>(l.items.size()) && i < l.top + rows; ++i) {
    RECT r{0, (i - l.top) * l.itemHeight, client.right, (i - l.top + 1) * l.itemHeight};
    if (i == l.selected) FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
    std::string text = ToAnsi(l.items[static_cast<size_t>(i)]);
    DrawTextA(dc, text.c_str(), -1, &r, DT_SINGLELINE | DT_NOPREFIX);
  }
  EndPaint(w->handle, &ps);
}

}  // namespace

LRESULT CALLBACK ListBoxProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = W(hWnd);
  if (!w) return 0;
  if (!w->control) {
    auto data = std::make_unique<ListBoxData>();
    data->itemHeight = gdi::MetricsOfFont(nullptr).height;
    w->control = std::move(data);
  }
  auto& l = *w->Control<ListBoxData>();
  auto count = static_cast<int>(l.items.size());
  auto index = static_cast<int>(static_cast<LONG_PTR>(wParam));
  bool valid = index >= 0 && index < count;
  switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(w, l); return 0;
    case WM_ENABLE: Invalidate(w, true, false); return 0;
    case LB_ADDSTRING: {
      int at = count;
      if (w->style & LBS_SORT) {
        std::u16string item = FromAnsi(reinterpret_cast<const char*>(lParam));
        at = 0;
        while (at < count && Compare(l.items[static_cast<size_t>(at)], item) <= 0) ++at;
      }
      return Insert(w, l, at, reinterpret_cast<const char*>(lParam));
    }
    case LB_INSERTSTRING:
      if (index > count) return LB_ERR;
      return Insert(w, l, index, reinterpret_cast<const char*>(lParam));
    case LB_RESETCONTENT:
      l.items.clear();
      l.selected = -1;
      l.caret = 0;
      l.top = 0;
      Invalidate(w, true, false);
      return 0;
    case LB_GETCOUNT: return count;
    case LB_GETCURSEL: return l.selected;
    case LB_SETCURSEL:
      if (!valid) {
        Select(w, l, -1);
        return LB_ERR;
      }
      Select(w, l, index);
      return index;
    case LB_GETTEXT: {
      if (!valid || !lParam) return LB_ERR;
      std::string text = ToAnsi(l.items[static_cast<size_t>(index)]);
      auto* out = reinterpret_cast<char*>(lParam);  // sized by the caller from LB_GETTEXTLEN
      text.copy(out, text.size());
      out[text.size()] = '\0';
      return static_cast<LRESULT>(text.size());
    }
    case LB_GETTEXTLEN: return valid ? static_cast<LRESULT>(ToAnsi(l.items[static_cast<size_t>(index)]).size()) : LB_ERR;
    case LB_SETTOPINDEX:
      if (index < 0 || (count && index >= count)) return LB_ERR;
      l.top = index;
      Invalidate(w, true, false);
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(hWnd);
      if (!w->alive) return 0;
      int at = l.top + static_cast<SHORT>(HIWORD(lParam)) / std::max(1, l.itemHeight);
      if (at >= 0 && at < count) Select(w, l, at);
      l.captured = true;
      SetCapture(hWnd);
      return 0;
    }
    case WM_LBUTTONUP:
      if (!l.captured) return 0;
      l.captured = false;
      if (WS().capture == hWnd) ReleaseCapture();
      if (count) Notify(w, LBN_SELCHANGE);
      return 0;
    case WM_LBUTTONDBLCLK: Notify(w, LBN_DBLCLK); return 0;
    case WM_KEYDOWN: Key(w, l, wParam); return 0;
    case WM_CHAR: {
      if (wParam <= ' ' || !count) return 0;
      char typed[2] = {static_cast<char>(wParam), 0};
      int found = Find(l, l.caret, typed);
      if (found != LB_ERR) {
        Select(w, l, found);
        Notify(w, LBN_SELCHANGE);
      }
      return 0;
    }
    case WM_SETFOCUS: Invalidate(w, false, false); Notify(w, LBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: Invalidate(w, false, false); Notify(w, LBN_KILLFOCUS); return 0;
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wParam);
      l.itemHeight = gdi::MetricsOfFont(w->font).height;
      if (lParam) Invalidate(w, true, false);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    default: return DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}

}  // namespace winemu::user32
