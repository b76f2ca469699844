// Operations on windows shared by the user32 files: creation, visibility, focus and activation,
// geometry, painting, timers.
#pragma once

#include <optional>

#include "wnd.h"

namespace winemu::user32 {

struct CreateParams {
  DWORD exStyle = 0;
  WindowClass* cls = nullptr;
  std::u16string text;
  LPCSTR ansiName = nullptr;  // what CREATESTRUCTA shows as the window name
  std::optional<ResId> image;  // a template's ordinal title (SS_ICON, SS_BITMAP)
  DWORD style = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;  // the parent of a child, the owner of a top-level window
  HMENU menu = nullptr;   // the id of a child
  HINSTANCE instance = nullptr;
  LPVOID param = nullptr;
};
HWND CreateWindowInternal(const CreateParams& p);

// Visibility: `notify` sends WM_SHOWWINDOW (ShowWindow does, SetWindowPos does not).
void SetVisible(Window* w, bool visible, bool notify, bool activate);

// Focus and activation.
void Activate(Window* top);             // makes a top-level window the active one
void ActivateOther(Window* leaving);    // the active window goes away: its owner or another takes over
HWND SetFocusInternal(Window* w);       // SetFocus without the checks of disabled ancestors

// Geometry.
POINT ClientOrigin(const Window* w);  // screen coordinates of the client area's top-left corner
RECT ClientRectOf(const Window* w);   // (0, 0, width, height)

// Painting.
void Invalidate(Window* w, bool erase, bool children);
void PaintNow(Window* w, bool children);  // UpdateWindow

// Timers of a destroyed window go with it.
void KillTimersOf(HWND h);
// The next due timer message, if any (for the message loop).
bool TakeDueTimer(MSG* msg, HWND filter);
// When the earliest timer is due, if any.
std::optional<std::uint64_t> NextTimerDue();

// Menus.
void DestroyMenuHandle(HMENU menu);

}  // namespace winemu::user32
