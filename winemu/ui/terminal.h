// The terminal driver: draws the windows a person sees through a view the terminal's size
// (terminal_view.h) with the key help, and turns keys into user input so a person can walk the
// program: Tab, Shift+Tab, the arrows, Home, End, Space, Enter and Escape go to the focused control
// as keys; Alt+letter is the & mnemonic of a text; Alt+F4 closes the active window; Alt+Space
// opens its system menu, drawn under its caption; Ctrl+L redraws, and a resize redraws at once.
// Time is virtual (due timers fire at once when no key waits) unless `realTime`, where it runs at
// the real pace while the driver waits for a key. The program's standard output is kept while the
// terminal is taken and written once it is given back, before the run's closing line.
#pragma once

#include <memory>

#include "driver.h"

namespace winemu::ui {

std::unique_ptr<Driver> MakeTerminalDriver(bool realTime);

}  // namespace winemu::ui
