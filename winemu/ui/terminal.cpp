#include "terminal.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "user32/control_data.h"
#include "user32/controls.h"
#include "user32/window_ops.h"
#include "actions.h"

namespace winemu::ui {
namespace {

using user32::UiError;
using user32::Window;

class TerminalDriver : public Driver {
 public:
  TerminalDriver() {
    raw_ = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved_) == 0;
    if (raw_) {
      termios t = saved_;
      t.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
      t.c_cc[VMIN] = 1;
      t.c_cc[VTIME] = 0;
      tcsetattr(STDIN_FILENO, TCSANOW, &t);
    }
  }
  ~TerminalDriver() override {
    if (raw_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  }

  void Step() override {
    std::vector<std::function<void()>> picks;
    Render(picks);
    std::optional<std::uint64_t> due = user32::NextTimerDue();
    int timeout = -1;
    if (due) timeout = *due > M().Now() ? static_cast<int>(*due - M().Now()) : 0;
    auto start = std::chrono::steady_clock::now();
    pollfd in{STDIN_FILENO, POLLIN, 0};
    int ready = poll(&in, 1, timeout);
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    if (ready <= 0) {
      M().Advance(due && *due > M().Now() ? *due - M().Now() : static_cast<std::uint64_t>(elapsed));
      return;
    }
    M().Advance(static_cast<std::uint64_t>(elapsed));
    std::string key = ReadKey();
    try {
      Act(key, picks);
    } catch (const UiError& e) {
      message_ = e.what();
    }
  }

 private:
  static std::string ReadKey() {
    char c = 0;
    if (read(STDIN_FILENO, &c, 1) != 1) throw UiError("the terminal closed");
    if (c != 0x1B) return std::string(1, c);
    std::string seq(1, c);
    pollfd in{STDIN_FILENO, POLLIN, 0};
    while (seq.size() < 6 && poll(&in, 1, 30) > 0 && read(STDIN_FILENO, &c, 1) == 1) {
      seq.push_back(c);
      if (seq.size() > 2 && (std::isalpha(static_cast<unsigned char>(c)) || c == '~')) break;
    }
    return seq;
  }

  void Act(const std::string& key, const std::vector<std::function<void()>>& picks) {
    message_.clear();
    if (key == "\x03" || key == "\x04") throw UiError("stopped at the terminal");
    static const std::pair<const char*, const char*> keys[] = {
        {"\t", "Tab"},      {"\x1b[Z", "Shift+Tab"}, {" ", "Space"},    {"\r", "Enter"},  {"\n", "Enter"},
        {"\x1b", "Escape"}, {"\x1b[A", "Up"},        {"\x1b[B", "Down"}, {"\x1b[C", "Right"}, {"\x1b[D", "Left"},
        {"\x1b[H", "Home"}, {"\x1b[1~", "Home"},     {"\x1b[F", "End"},  {"\x1b[4~", "End"}};
    for (const auto& [bytes, name] : keys)
      if (key == bytes) {
        if (MessageBoxOpen() && std::string(name) == "Enter") Answer(std::nullopt);
        else Key(name);
        return;
      }
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z' && static_cast<size_t>(key[0] - 'a') < picks.size()) {
      picks[static_cast<size_t>(key[0] - 'a')]();
      return;
    }
    message_ = "keys: Tab Shift+Tab arrows Home End Space Enter Esc, a-z to click, Ctrl+C to stop";
  }

  void Render(std::vector<std::function<void()>>& picks) {
    std::string out = "\x1b[2J\x1b[H";
    Window* active = user32::W(GetActiveWindow());
    if (!active) {
      out += "(no active window)\n";
    } else {
      out += "== " + user32::ToUtf8(active->text) + " ==\n";
      Lines(active, 0, picks, out);
    }
    if (!message_.empty()) out += "\n" + message_ + "\n";
    std::fputs(out.c_str(), stdout);
    std::fflush(stdout);
  }

  void Lines(Window* parent, int depth, std::vector<std::function<void()>>& picks, std::string& out) {
    for (Window* c : parent->children) {
      if (!(c->style & WS_VISIBLE)) continue;
      std::string indent(static_cast<size_t>(depth) * 2 + 4, ' ');
      bool enabled = user32::IsEnabledTree(c);
      WNDPROC p = c->cls->proc;
      std::string mark = user32::WS().focus == c->handle ? ">" : " ";
      std::string label = "   ";
      int id = static_cast<int>(c->id);
      bool clickable = p == &user32::ButtonProc && (c->style & BS_TYPEMASK) != BS_GROUPBOX;
      if (clickable && enabled && picks.size() < 26) {
        label = std::string("[") + static_cast<char>('a' + picks.size()) + "]";
        picks.push_back([id] { Click(id); });
      }
      std::string line = mark + label + indent.substr(4) + user32::ToUtf8(c->text);
      if (auto* b = c->Control<user32::ButtonData>()) {
        DWORD type = c->style & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX) line = mark + label + indent.substr(4) + ((b->state & BST_CHECKED) ? "[x] " : "[ ] ") + user32::ToUtf8(c->text);
        if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON) line = mark + label + indent.substr(4) + ((b->state & BST_CHECKED) ? "(*) " : "( ) ") + user32::ToUtf8(c->text);
      }
      if (auto* l = c->Control<user32::ListBoxData>()) {
        out += line + "list:\n";
        for (size_t i = 0; i < l->items.size(); ++i) {
          std::string entry = "   ";
          if (enabled && picks.size() < 26) {
            entry = std::string("[") + static_cast<char>('a' + picks.size()) + "]";
            int index = static_cast<int>(i);
            picks.push_back([id, index] { Select(id, index); });
          }
          out += " " + entry + indent + (static_cast<int>(i) == l->selected ? "* " : "  ") + user32::ToUtf8(l->items[i]) + "\n";
        }
        continue;
      }
      if (auto* pr = c->Control<user32::ProgressData>())
        line = mark + label + indent.substr(4) + "progress " + std::to_string(pr->pos) + " of " + std::to_string(pr->low) + ".." + std::to_string(pr->high);
      if (p == &user32::EditProc) line = mark + label + indent.substr(4) + "[" + user32::ToUtf8(c->text) + "]";
      if (!enabled) line += "  (disabled)";
      bool shown = !c->text.empty() || label != "   " || p == &user32::EditProc || c->Control<user32::ProgressData>();
      if (shown) out += line + "\n";
      Lines(c, depth + 1, picks, out);
    }
  }

  bool raw_ = false;
  termios saved_{};
  std::string message_;
};

}  // namespace

std::unique_ptr<Driver> MakeTerminalDriver() { return std::make_unique<TerminalDriver>(); }

}  // namespace winemu::ui
