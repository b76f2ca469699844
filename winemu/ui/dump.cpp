#include "dump.h"

#include <cstdio>

#include "gdi32/gdi.h"
#include "machine/quoted.h"
#include "user32/control_data.h"
#include "user32/controls.h"
#include "user32/icons.h"
#include "user32/menu.h"
#include "user32/window_ops.h"

namespace winemu::ui {
namespace {

using user32::Window;

std::string Quote(std::u16string_view text) { return Quoted(user32::ToUtf8(text)); }

std::string ButtonKind(DWORD style) {
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON: return "push";
    case BS_DEFPUSHBUTTON: return "defpush";
    case BS_CHECKBOX: return "checkbox";
    case BS_AUTOCHECKBOX: return "autocheckbox";
    case BS_RADIOBUTTON: return "radio";
    case BS_3STATE: return "3state";
    case BS_AUTO3STATE: return "auto3state";
    case BS_GROUPBOX: return "groupbox";
    case BS_AUTORADIOBUTTON: return "autoradio";
    case BS_OWNERDRAW: return "ownerdraw";
    default: return "button";
  }
}

std::string StaticKind(DWORD style) {
  static const char* const kinds[] = {"text",       "center",     "right",      "icon",       "blackrect",
                                      "grayrect",   "whiterect",  "blackframe", "grayframe",  "whiteframe",
                                      "useritem",   "simple",     "leftnowrap", "ownerdraw",  "bitmap",
                                      "metafile",   "etchedhorz", "etchedvert", "etchedframe"};
  DWORD type = style & SS_TYPEMASK;
  return type < sizeof kinds / sizeof kinds[0] ? kinds[type] : "static";
}

std::string Kind(const Window* w) {
  WNDPROC p = w->cls->proc;
  if (p == &user32::ButtonProc) return ButtonKind(w->style);
  if (p == &user32::StaticProc) return StaticKind(w->style);
  if (p == &user32::EditProc) return "edit";
  if (p == &user32::ListBoxProc) return "listbox";
  if (p == &user32::ProgressProc) return "progress";
  if (p == &user32::ScrollBarProc) return "scrollbar";
  if (w->dialog && w->dialog->messageBox) return "msgbox";
  if (w->dialog || p == &DefDlgProcA) {
    int id = w->dialog ? w->dialog->templateId : -1;
    return id >= 0 ? "dialog " + std::to_string(id) : "dialog";
  }
  return "window";
}

std::string Geometry(const Window* w) {
  RECT r{};
  if (w->parent) r = w->rect;
  else GetWindowRect(w->handle, &r);
  char text[64];
  std::snprintf(text, sizeof text, "at=%ld,%ld size=%ldx%ld", static_cast<long>(r.left), static_cast<long>(r.top),
                static_cast<long>(r.right - r.left), static_cast<long>(r.bottom - r.top));
  return text;
}

std::string States(const Window* w) {
  std::string s = (w->style & WS_DISABLED) ? " disabled" : " enabled";
  s += (w->style & WS_VISIBLE) ? " visible" : " hidden";
  if (auto* b = w->Control<user32::ButtonData>()) {
    DWORD type = w->style & BS_TYPEMASK;
    bool check = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_3STATE ||
                 type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
    if (check) s += (b->state & BST_INDETERMINATE) ? " indeterminate" : (b->state & BST_CHECKED) ? " checked" : " unchecked";
  }
  if (w->cls->proc == &user32::EditProc && (w->style & ES_READONLY)) s += " readonly";
  if (user32::WS().focus == w->handle) s += " focus";
  return s;
}

std::string Extras(const Window* w) {
  std::string s;
  if (auto* l = w->Control<user32::ListBoxData>()) {
    s += " items=[";
    for (size_t i = 0; i < l->items.size(); ++i) {
      if (i) s += ',';
      s += Quote(l->items[i]);
    }
    s += "] sel=" + std::to_string(l->selected);
  }
  if (auto* p = w->Control<user32::ProgressData>())
    s += " pos=" + std::to_string(p->pos) + " range=" + std::to_string(p->low) + ".." + std::to_string(p->high);
  if (auto* st = w->Control<user32::StaticData>(); st && st->image) {
    if (auto icon = user32::IconOf(static_cast<HICON>(st->image))) s += " image=" + icon->name;
    else if (auto bmp = gdi::BitmapOf(static_cast<HBITMAP>(st->image)))
      s += " image=" + std::to_string(bmp->width) + "x" + std::to_string(bmp->height);
  }
  return s;
}

std::string SystemMenu(const Window* w) {
  if (!w->sysMenu) return {};
  auto items = user32::MenuItems(w->sysMenu);
  if (!items) return {};
  std::string s = "sysmenu:";
  for (size_t i = 0; i < items->size(); ++i) {
    const user32::MenuItem& item = (*items)[i];
    s += i ? " | " : " ";
    if (item.flags & MF_SEPARATOR) s += "-";
    else s += std::to_string(item.id) + " " + Quote(item.text) + ((item.flags & (MF_GRAYED | MF_DISABLED)) ? " disabled" : "");
  }
  return s;
}

void Line(const Window* w, int depth, std::string& out) {
  std::string indent(static_cast<size_t>(depth) * 2, ' ');
  std::string head = w->parent ? std::to_string(static_cast<int>(w->id)) : std::string("window");
  out += indent + head + " " + user32::ToUtf8(w->cls->name) + " " + Kind(w) + " " + Quote(w->text) + States(w) + " " +
         Geometry(w) + Extras(w);
  if (!w->parent) {
    Window* f = user32::W(user32::WS().focus);
    if (f && user32::IsDescendant(w, f)) out += " focus=" + std::to_string(static_cast<int>(f->id));
  }
  if (!(w->style & WS_VISIBLE) && !w->children.empty() && w->parent) {
    out += " (" + std::to_string(w->children.size()) + " controls not shown)\n";
    return;
  }
  out += "\n";
  if (std::string menu = SystemMenu(w); !menu.empty()) out += indent + "  " + menu + "\n";
  for (const Window* c : w->children) Line(c, depth + 1, out);
}

}  // namespace

std::string DumpWindow(HWND window) {
  Window* w = user32::W(window);
  if (!w) return "(no window)\n";
  std::string out;
  Line(w, 0, out);
  return out;
}

std::string DumpActive() {
  HWND active = GetActiveWindow();
  return active ? DumpWindow(active) : std::string("(no active window)\n");
}

}  // namespace winemu::ui
