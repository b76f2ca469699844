#include "answer_boxes.h"

#include "user32/wnd.h"
#include "actions.h"

namespace winemu::ui {

MessageBoxAnswers::MessageBoxAnswers() : MessageBoxAnswers(std::vector<int>{}) {}

MessageBoxAnswers::MessageBoxAnswers(std::vector<int> buttons) : buttons_(std::move(buttons)) { SetTestDriver(this); }

MessageBoxAnswers::~MessageBoxAnswers() {
  if (TestDriver() == this) SetTestDriver(nullptr);
}

void MessageBoxAnswers::Step() {
  if (!MessageBoxOpen()) throw user32::UiError("the program waits for input, but no message box is open");
  size_t n = static_cast<size_t>(answered_++);
  Answer(n < buttons_.size() ? std::optional<int>(buttons_[n]) : std::nullopt);
}

}  // namespace winemu::ui
