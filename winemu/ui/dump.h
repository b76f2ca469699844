// The text of a window and its controls, in UTF-8, one line each, children indented by two
// spaces, in child (tab) order:
//
//   window #32770 dialog 102 "caption" enabled visible at=0,0 size=405x443 focus=12324
//     sysmenu: 61456 "&Move" | 61536 "&Close\tAlt+F4" | - | 16 "About..."
//     1000 Static grayframe "" enabled visible at=0,0 size=399x418
//     12323 Button push "&Back" disabled visible at=81,380 size=54x28
//     1038 Button autoradio "English" enabled visible checked at=...
//     1019 Edit edit "80mm series" enabled visible readonly at=...
//     1006 ListBox listbox "" enabled visible at=... items=["80mm series"] sel=0
//     1035 msctls_progress32 progress "Progress1" enabled visible at=... pos=50 range=0..100
//     0 #32770 dialog 138 "" enabled visible at=0,0 size=530x364
//       65535 Static bitmap "" enabled visible at=2,6 size=164x314 image=#144
//
// A message box's top line reads "window #32770 msgbox ..." and its text is the static 65535.
// A hidden window with children is one line ending in "(N controls not shown)". Coordinates are
// the parent's client coordinates (the screen's for the top line); texts are quoted, with quote,
// backslash, newline, carriage return and tab escaped as in C.
#pragma once

#include <string>

#include <windows.h>

namespace winemu::ui {

std::string DumpWindow(HWND window);
// The active window's dump; "(no active window)\n" without one.
std::string DumpActive();

}  // namespace winemu::ui
