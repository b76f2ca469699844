// The terminal driver: shows the active window in the terminal and turns keys into user input,
// so a person can walk the program. Time runs at the real pace while it waits for a key.
#pragma once

#include <memory>

#include "driver.h"

namespace winemu::ui {

std::unique_ptr<Driver> MakeTerminalDriver();

}  // namespace winemu::ui
