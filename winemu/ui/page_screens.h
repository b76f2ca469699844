// The screens of a scripted run, for a reader: the drawing of screen.h, printed once each time a
// new view appears (another active window, another page shown in it, a message box over it).
#pragma once

#include <string>

namespace winemu::ui {

class PageScreens {
 public:
  // The current view's screen when it is not the one printed last, else nothing.
  std::string Next();

 private:
  std::string last_;
};

}  // namespace winemu::ui
