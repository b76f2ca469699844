// The dialog manager's keyboard navigation: tab stops, groups, the default push button.
#pragma once

#include "wnd.h"

namespace winemu::user32 {

// Moves the focus to a control of the dialog as WM_NEXTDLGCTL does: an edit's text is selected,
// and a push button taking the focus becomes the default one (the dialog's default id otherwise).
void FocusControl(Window* dialog, Window* control);
// DM_SETDEFID: the button with `id` gets BS_DEFPUSHBUTTON, the previous default BS_PUSHBUTTON.
void SetDefaultButton(Window* dialog, int id);

}  // namespace winemu::user32
