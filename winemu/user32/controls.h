// The predefined window classes: their procedures and registration.
#pragma once

#include "wnd.h"

namespace winemu::user32 {

LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ProgressProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ScrollBarProc(HWND, UINT, WPARAM, LPARAM);

// Registers Button, Static, Edit, ListBox, ScrollBar, msctls_progress32 and the dialog class #32770.
void RegisterSystemClasses(WindowSystem& ws);

// The button kind the dialog manager asks about.
bool IsPushButton(const Window* w);
// An automatic radio button was checked: unchecks the others of its group.
void UncheckOthersInGroup(Window* button);

// A control paints: the WM_CTLCOLOR* message it sends to its parent, with the DC's state after
// the parent answered, is recorded as its drawing (see paint.h).
HBRUSH ControlColor(Window* control, HDC dc, UINT ctlColorMessage);

}  // namespace winemu::user32
