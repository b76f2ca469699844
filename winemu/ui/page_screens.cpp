#include "page_screens.h"

#include "user32/window_ops.h"
#include "screen.h"

namespace winemu::ui {
namespace {

using user32::Window;

constexpr int kCols = 100;
constexpr int kRows = 40;

// The active window and the dialogs shown inside it, by handle.
void AddShownDialogs(const Window* w, std::string& key) {
  for (const Window* c : w->children) {
    if (!(c->style & WS_VISIBLE)) continue;
    if (c->dialog) key.append(" ").append(user32::HandleText(c->handle));
    AddShownDialogs(c, key);
  }
}

}  // namespace

std::string PageScreens::Next() {
  Window* active = user32::W(GetActiveWindow());
  if (!active) return {};
  std::string key = user32::HandleText(active->handle);
  AddShownDialogs(active, key);
  if (key == last_) return {};
  last_ = key;
  Screen screen(kCols, kRows);
  DrawWindows(screen);
  std::string text = screen.Text();
  text.erase(text.find_last_not_of('\n') + 1);
  return text + "\n\n";
}

}  // namespace winemu::ui
