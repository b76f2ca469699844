// A test driver for code that shows message boxes but no other window: every message box is
// answered (with its default button, or the ids given, in order); any other wait for input fails
// as a script that ran out does.
#pragma once

#include <vector>

#include "driver.h"

namespace winemu::ui {

class MessageBoxAnswers : public Driver {
 public:
  MessageBoxAnswers();                          // installed as the test driver while it lives
  explicit MessageBoxAnswers(std::vector<int> buttons);  // box n is answered with buttons[n]
  ~MessageBoxAnswers() override;
  MessageBoxAnswers(const MessageBoxAnswers&) = delete;
  MessageBoxAnswers& operator=(const MessageBoxAnswers&) = delete;

  int Answered() const { return answered_; }
  void Step() override;

 private:
  std::vector<int> buttons_;
  int answered_ = 0;
};

}  // namespace winemu::ui
