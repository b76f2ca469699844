// The terminal driver: draws the windows a person sees (screen.h) with a line of key help, and
// turns keys into user input so a person can walk the program: Tab, Shift+Tab, the arrows, Home,
// End, Space, Enter and Escape go to the focused control as keys; Alt+letter is the & mnemonic
// of a text; Alt+Space opens the active window's system menu, drawn under its caption. Time is
// virtual (due timers fire at once when no key waits) unless `realTime`, where it runs at the
// real pace while the driver waits for a key.
#pragma once

#include <memory>

#include "driver.h"

namespace winemu::ui {

std::unique_ptr<Driver> MakeTerminalDriver(bool realTime);

}  // namespace winemu::ui
