// Drivers feed user input to a program whenever it waits for input: the script driver (a list
// of actions) and the terminal driver (a person at the terminal).
#pragma once

namespace winemu::ui {

class Driver {
 public:
  virtual ~Driver() = default;
  // The program waits for input and nothing is due: act once (post input, let time pass ...).
  // Throws user32::UiError when the run cannot go on.
  virtual void Step() = 0;
  // The run has ended: give back what the driver took (the terminal).
  virtual void Leave() {}
};

// The driver a test installs (none removes it); it takes precedence over the run's driver.
void SetTestDriver(Driver* driver);
Driver* TestDriver();

// The program waits for input: the test's driver acts, else the run's (WINEMU_SCRIPT names a
// script file or "-" for standard input, WINEMU_SCREENS=1 prints its views as drawn; WINEMU_TERMINAL=1
// for the terminal, WINEMU_REAL_TIME=1 with it for real time). Returns false
// when there is no driver: the window system then lets time pass to the next timer.
bool Idle();

}  // namespace winemu::ui
