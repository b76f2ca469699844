// The dialog manager's keyboard navigation: tab stops, groups, the default push button.
#pragma once

#include <string_view>

#include "wnd.h"

namespace winemu::user32 {

// Moves the focus to a control of the dialog as WM_NEXTDLGCTL does: an edit's text is selected,
// and a push button taking the focus becomes the default one (the dialog's default id otherwise).
void FocusControl(Window* dialog, Window* control);
// DM_SETDEFID: the button with `id` gets BS_DEFPUSHBUTTON, the previous default BS_PUSHBUTTON.
void SetDefaultButton(Window* dialog, int id);
// The mnemonic of a control's text: the lower-case ASCII letter or digit after a single &, or 0.
char MnemonicOf(std::u16string_view text);

}  // namespace winemu::user32
