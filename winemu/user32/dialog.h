// Dialogs made from templates, modeless and modal.
#pragma once

#include "dlgtemplate.h"
#include "wnd.h"

namespace winemu::user32 {

// MulDiv's rounding (half away from zero), for dialog units.
int ScaleRound(int value, int numerator, int denominator);

// The dialog's state, made on first use for a window of the dialog class.
DialogData& Dlg(Window* w);

// Creates the dialog and its controls, sends WM_INITDIALOG, sets the focus and shows a
// WS_VISIBLE dialog. `templateId` is the integer resource id, -1 for another template.
HWND CreateDialogFrom(const DialogTemplate& t, HINSTANCE instance, HWND parent, DLGPROC proc, LPARAM param,
                      int templateId);
// The modal run of DialogBox: the owner (the top-level window of `parent`) is disabled while it
// runs; the dialog shows when the queue first empties; WM_QUIT ends it and is posted again.
INT_PTR DialogBoxFrom(const DialogTemplate& t, HINSTANCE instance, HWND parent, DLGPROC proc, LPARAM param,
                      int templateId);

}  // namespace winemu::user32
