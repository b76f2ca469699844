// What GetMessageA does when the program waits for input and nothing is due: it calls the idle
// hook, which the input driver (ui/) installs.
#pragma once

namespace winemu::user32 {

// Acts once for the user (posts input, lets time pass ...) and returns true; returns false when no
// driver drives the program; throws UiError when the run cannot go on.
using IdleHook = bool (*)();
void SetIdleHook(IdleHook hook);

}  // namespace winemu::user32
