#include "actions.h"

#include <algorithm>
#include <cctype>

#include "user32/control_data.h"
#include "user32/controls.h"
#include "user32/menu.h"
#include "user32/window_ops.h"

namespace winemu::ui {
namespace {

using user32::UiError;
using user32::Window;

Window* Active() {
  Window* w = user32::W(GetActiveWindow());
  if (!w) throw UiError("no window is active");
  return w;
}

void Find(Window* w, int id, Window*& visible, Window*& any) {
  for (Window* c : w->children) {
    if (c->id == id) {
      if (!any) any = c;
      if (!visible && user32::IsVisibleTree(c)) visible = c;
    }
    Find(c, id, visible, any);
  }
}

// A control of the active window a user can reach: visible and enabled.
Window* Reachable(int id) {
  Window* active = Active();
  Window* visible = nullptr;
  Window* any = nullptr;
  Find(active, id, visible, any);
  if (!any) throw UiError("the active window has no control " + std::to_string(id));
  if (!visible) throw UiError("control " + std::to_string(id) + " is hidden");
  if (!user32::IsEnabledTree(visible)) throw UiError("control " + std::to_string(id) + " is disabled");
  return visible;
}

void PostClick(Window* target, int x, int y) {
  LPARAM at = MAKELPARAM(x, y);
  user32::PostInput(target->handle, WM_LBUTTONDOWN, MK_LBUTTON, at);
  user32::PostInput(target->handle, WM_LBUTTONUP, 0, at);
}

void ClickCentre(Window* target) {
  RECT c = user32::ClientRectOf(target);
  PostClick(target, c.right / 2, c.bottom / 2);
}

WPARAM VirtualKey(const std::string& name) {
  if (name == "Tab" || name == "Shift+Tab") return VK_TAB;
  if (name == "Space") return VK_SPACE;
  if (name == "Enter") return VK_RETURN;
  if (name == "Escape") return VK_ESCAPE;
  if (name == "Up") return VK_UP;
  if (name == "Down") return VK_DOWN;
  if (name == "Left") return VK_LEFT;
  if (name == "Right") return VK_RIGHT;
  if (name == "Home") return VK_HOME;
  if (name == "End") return VK_END;
  throw UiError("unknown key '" + name + "'");
}

std::optional<user32::MenuItem> SystemMenuItem(Window* w, int command) {
  HMENU menu = GetSystemMenu(w->handle, FALSE);
  if (!menu) return std::nullopt;
  for (const auto& item : user32::MenuItems(menu).value_or(std::vector<user32::MenuItem>{}))
    if (!(item.flags & MF_SEPARATOR) && static_cast<int>(item.id) == command) return item;
  return std::nullopt;
}

// Where a key goes: the focus when it is in the active window, else the active window itself.
HWND KeyTarget(Window* active) {
  Window* focus = user32::W(GetFocus());
  return focus && user32::Root(focus) == active ? focus->handle : active->handle;
}

constexpr LPARAM kPress = 1;
constexpr LPARAM kRelease = static_cast<LPARAM>(0xC0000001u);
constexpr LPARAM kAltDown = 0x20000000;  // the context code: Alt is held

// A key pressed with Alt held, to the focus: the system keys WM_SYSKEYDOWN and WM_SYSKEYUP.
void PressWithAlt(WPARAM vk) {
  HWND target = KeyTarget(Active());
  user32::PostInput(target, WM_SYSKEYDOWN, VK_MENU, kPress | kAltDown);
  user32::PostInput(target, WM_SYSKEYDOWN, vk, kPress | kAltDown);
  user32::PostInput(target, WM_SYSKEYUP, vk, kRelease | kAltDown);
  user32::PostInput(target, WM_KEYUP, VK_MENU, kRelease);
}

}  // namespace

HWND ActiveWindow() { return GetActiveWindow(); }

bool MessageBoxOpen() {
  Window* w = user32::W(GetActiveWindow());
  return w && w->dialog && w->dialog->messageBox;
}

std::string MessageBoxSummary() {
  Window* w = user32::W(GetActiveWindow());
  if (!w || !w->dialog) return {};
  return "caption \"" + w->dialog->mbCaptionUtf8 + "\" text \"" + w->dialog->mbTextUtf8 + "\"";
}

void Click(int id) { ClickCentre(Reachable(id)); }

void Select(int id, int index) {
  Window* list = Reachable(id);
  auto* data = list->Control<user32::ListBoxData>();
  if (!data) throw UiError("control " + std::to_string(id) + " is not a list box");
  int count = static_cast<int>(data->items.size());
  if (index < 0 || index >= count)
    throw UiError("list box " + std::to_string(id) + " has " + std::to_string(count) + " entries, no entry " + std::to_string(index));
  // Scrolls the entry into view first, as the user would.
  RECT c = user32::ClientRectOf(list);
  int rows = std::max(1, static_cast<int>(c.bottom) / std::max(1, data->itemHeight));
  if (index < data->top || index >= data->top + rows) SendMessageA(list->handle, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  int y = (index - data->top) * data->itemHeight + data->itemHeight / 2;
  PostClick(list, c.right / 2, y);
}


void Key(const std::string& name) {
  Window* active = Active();
  WPARAM vk = VirtualKey(name);
  bool shift = name == "Shift+Tab";
  HWND target = KeyTarget(active);
  bool toFocus = target != active->handle;
  UINT down = toFocus ? WM_KEYDOWN : WM_SYSKEYDOWN;
  UINT up = toFocus ? WM_KEYUP : WM_SYSKEYUP;
  if (shift) user32::PostInput(target, down, VK_SHIFT, kPress);
  user32::PostInput(target, down, vk, kPress);
  user32::PostInput(target, up, vk, kRelease);
  if (shift) user32::PostInput(target, up, VK_SHIFT, kRelease);
}

void AltKey(char letter) {
  if (!std::isalnum(static_cast<unsigned char>(letter))) throw UiError(std::string("no key Alt+") + letter);
  PressWithAlt(static_cast<WPARAM>(std::toupper(static_cast<unsigned char>(letter))));
}

void AltF4() { PressWithAlt(VK_F4); }

void SysMenu(int command) {
  Window* active = Active();
  if (!(active->style & WS_SYSMENU)) throw UiError("the active window has no system menu");
  std::optional<user32::MenuItem> item = SystemMenuItem(active, command);
  if (!item) throw UiError("the system menu has no item " + std::to_string(command));
  if (item->flags & (MF_GRAYED | MF_DISABLED)) throw UiError("system menu item " + std::to_string(command) + " is disabled");
  user32::Post(active->handle, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

void Close() {
  Window* active = Active();
  if ((active->style & WS_CAPTION) != WS_CAPTION || !(active->style & WS_SYSMENU))
    throw UiError("the active window has no close box");
  std::optional<user32::MenuItem> item = SystemMenuItem(active, SC_CLOSE);
  if (!item || (item->flags & (MF_GRAYED | MF_DISABLED))) throw UiError("the close box of the active window is disabled");
  user32::PostInput(active->handle, WM_NCLBUTTONDOWN, HTCLOSE, 0);
}

void Wait(std::uint32_t ms) { user32::WS().waitUntil = M().Now() + ms; }

void Answer(std::optional<int> id) {
  if (!MessageBoxOpen()) throw UiError("no message box is open");
  Window* box = Active();
  int button = id ? *id : LOWORD(SendMessageA(box->handle, DM_GETDEFID, 0, 0));
  Window* target = user32::W(GetDlgItem(box->handle, button));
  if (!target || !(target->style & WS_VISIBLE) || target->cls->proc != &user32::ButtonProc)
    throw UiError("the message box has no button " + std::to_string(button));
  ClickCentre(target);
}

}  // namespace winemu::ui
