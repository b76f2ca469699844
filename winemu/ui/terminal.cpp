#include "terminal.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "user32/dlgnav.h"
#include "user32/menu.h"
#include "user32/window_ops.h"
#include "actions.h"
#include "screen.h"

namespace winemu::ui {
namespace {

using user32::UiError;

// The key help, two lines under the windows.
constexpr const char* kHelp[] = {
    "Tab, Shift+Tab: next, previous control   arrows: in a group or list   Space: press   Enter: default",
    "Esc: cancel   Alt+letter: the underlined letter   Alt+Space: system menu   Ctrl+C: stop"};
constexpr const char* kMenuHelp[] = {"Up, Down: choose   Enter or the underlined letter: select", "Esc: close the menu"};

// Keys as the terminal sends them, by the name the script language gives them.
constexpr std::pair<const char*, const char*> kKeys[] = {
    {"\t", "Tab"},      {"\x1b[Z", "Shift+Tab"}, {" ", "Space"},      {"\r", "Enter"},      {"\n", "Enter"},
    {"\x1b", "Escape"}, {"\x1b[A", "Up"},        {"\x1b[B", "Down"},  {"\x1b[C", "Right"},  {"\x1b[D", "Left"},
    {"\x1bOA", "Up"},   {"\x1bOB", "Down"},      {"\x1bOC", "Right"}, {"\x1bOD", "Left"},   {"\x1b[H", "Home"},
    {"\x1b[1~", "Home"}, {"\x1bOH", "Home"},     {"\x1b[F", "End"},   {"\x1b[4~", "End"},   {"\x1bOF", "End"}};

std::optional<std::string> KeyNameOf(const std::string& bytes) {
  for (const auto& [sequence, name] : kKeys)
    if (bytes == sequence) return std::string(name);
  return std::nullopt;
}

class TerminalDriver : public Driver {
 public:
  explicit TerminalDriver(bool realTime) : realTime_(realTime) {
    raw_ = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved_) == 0;
    if (raw_) {
      termios t = saved_;
      t.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
      t.c_iflag &= ~static_cast<tcflag_t>(ICRNL);
      t.c_cc[VMIN] = 1;
      t.c_cc[VTIME] = 0;
      tcsetattr(STDIN_FILENO, TCSANOW, &t);
    }
    std::fputs("\x1b[?1049h\x1b[?25l", stdout);
  }
  ~TerminalDriver() override {
    std::fputs("\x1b[?25h\x1b[?1049l", stdout);
    std::fflush(stdout);
    if (raw_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  }

  void Step() override {
    Render();
    std::optional<std::uint64_t> due = user32::NextTimerDue();
    std::uint64_t now = M().Now();
    std::uint64_t untilDue = due && *due > now ? *due - now : 0;
    int timeout = !due ? -1 : realTime_ ? static_cast<int>(untilDue) : 0;
    auto start = std::chrono::steady_clock::now();
    pollfd in{STDIN_FILENO, POLLIN, 0};
    int ready = poll(&in, 1, timeout);
    auto elapsed = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
    if (ready <= 0) {
      M().Advance(realTime_ ? std::max(elapsed, untilDue) : untilDue);
      return;
    }
    if (realTime_) M().Advance(due ? std::min(elapsed, untilDue) : elapsed);
    std::string key = ReadKey();
    message_.clear();
    try {
      if (menu_) MenuKey(key);
      else Act(key);
    } catch (const StopAtTerminal&) {
      throw;
    } catch (const UiError& e) {
      message_ = e.what();
    }
  }

 private:
  // Thrown through the program's wait: the person stopped the run.
  struct StopAtTerminal : UiError {
    StopAtTerminal() : UiError("stopped at the terminal") {}
  };

  static std::string ReadKey() {
    char c = 0;
    if (read(STDIN_FILENO, &c, 1) != 1) throw UiError("the terminal closed");
    if (c != 0x1B) return std::string(1, c);
    std::string seq(1, c);
    pollfd in{STDIN_FILENO, POLLIN, 0};
    while (seq.size() < 6 && poll(&in, 1, 30) > 0 && read(STDIN_FILENO, &c, 1) == 1) {
      seq.push_back(c);
      if (seq.size() == 2 && c != '[' && c != 'O') break;  // Alt with a key
      if (seq.size() > 2 && (std::isalpha(static_cast<unsigned char>(c)) || c == '~')) break;
    }
    return seq;
  }

  void Act(const std::string& key) {
    if (key == "\x03" || key == "\x04") throw StopAtTerminal();
    if (key == "\x1b ") {
      OpenMenu();
      return;
    }
    if (auto name = KeyNameOf(key)) {
      Key(*name);
      return;
    }
    if (key.size() == 2 && key[0] == 0x1B && std::isalnum(static_cast<unsigned char>(key[1]))) {
      AltKey(key[1]);
      return;
    }
    message_ = "not a key of this window";
  }

  // The system menu of the active window, drawn under its caption.
  std::vector<user32::MenuItem> MenuItemsOfActive() const {
    HMENU menu = GetSystemMenu(ActiveWindow(), FALSE);
    return menu ? user32::MenuItems(menu).value_or(std::vector<user32::MenuItem>{}) : std::vector<user32::MenuItem>{};
  }

  static bool Choosable(const user32::MenuItem& item) { return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)); }

  void OpenMenu() {
    HWND active = ActiveWindow();
    if (!active || !(GetWindowLongA(active, GWL_STYLE) & WS_SYSMENU)) throw UiError("this window has no system menu");
    std::vector<user32::MenuItem> items = MenuItemsOfActive();
    for (size_t i = 0; i < items.size(); ++i)
      if (Choosable(items[i])) {
        menu_ = i;
        return;
      }
    throw UiError("the system menu has no item to choose");
  }

  void MenuKey(const std::string& key) {
    std::vector<user32::MenuItem> items = MenuItemsOfActive();
    std::optional<std::string> name = KeyNameOf(key);
    if (items.empty() || name == "Escape" || key == "\x1b ") {
      menu_.reset();
      return;
    }
    if (name == "Up" || name == "Down") {
      size_t n = items.size();
      size_t at = *menu_ % n;
      for (size_t step = 1; step <= n; ++step) {
        size_t i = name == "Down" ? (at + step) % n : (at + n - step % n) % n;
        if (Choosable(items[i])) {
          menu_ = i;
          break;
        }
      }
      return;
    }
    std::optional<size_t> chosen;
    if (name == "Enter") chosen = *menu_ % items.size();
    for (size_t i = 0; !chosen && key.size() == 1 && i < items.size(); ++i)
      if (Choosable(items[i]) && user32::MnemonicOf(items[i].text) == std::tolower(static_cast<unsigned char>(key[0]))) chosen = i;
    if (!chosen) return;
    menu_.reset();
    SysMenu(static_cast<int>(items[*chosen].id));
  }

  void DrawMenu(Screen& screen) const {
    std::vector<user32::MenuItem> items = MenuItemsOfActive();
    RECT active{}, root{};
    HWND h = ActiveWindow();
    GetWindowRect(h, &active);
    HWND top = h;
    while (HWND owner = GetWindow(top, GW_OWNER)) top = owner;
    GetWindowRect(top, &root);
    int col = std::max(0, static_cast<int>(active.left - root.left) / kCellWidth + 1);
    int row = std::max(0, static_cast<int>(active.top - root.top) / kCellHeight + 1);
    size_t width = 0;
    std::vector<std::string> labels;
    for (const auto& item : items) {
      labels.push_back(item.flags & MF_SEPARATOR ? std::string() : user32::ToUtf8(ShownText(item.text)));
      width = std::max(width, static_cast<size_t>(TextWidth(labels.back())));
    }
    std::string rule;
    for (size_t i = 0; i < width + 2; ++i) rule += "─";
    screen.Put(col, row, "┌" + rule + "┐");
    for (size_t i = 0; i < items.size(); ++i) {
      std::string line = items[i].flags & MF_SEPARATOR ? rule : " " + labels[i] + std::string(width - static_cast<size_t>(TextWidth(labels[i])), ' ') + " ";
      char attribute = i == menu_ ? 'f' : (items[i].flags & (MF_GRAYED | MF_DISABLED)) ? 'd' : ' ';
      screen.Put(col, row + 1 + static_cast<int>(i), "│");
      screen.Put(col + 1, row + 1 + static_cast<int>(i), line, attribute);
      screen.Put(col + 3 + static_cast<int>(width), row + 1 + static_cast<int>(i), "│");
    }
    screen.Put(col, row + 1 + static_cast<int>(items.size()), "└" + rule + "┘");
  }

  void Render() {
    winsize size{};
    int cols = 100, rows = 40;
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
      cols = size.ws_col;
      rows = size.ws_row;
    }
    Screen screen(cols, rows);
    DrawWindows(screen);
    if (menu_) DrawMenu(screen);
    if (!message_.empty()) screen.Put(0, rows - 3, message_);
    for (int i = 0; i < 2; ++i) screen.Put(0, rows - 2 + i, menu_ ? kMenuHelp[i] : kHelp[i]);
    std::string out = "\x1b[H";
    out += screen.Ansi();
    std::fputs(out.c_str(), stdout);
    std::fflush(stdout);
  }

  bool realTime_ = false;
  bool raw_ = false;
  termios saved_{};
  std::string message_;
  std::optional<size_t> menu_;  // the highlighted item while the system menu is open
};

}  // namespace

std::unique_ptr<Driver> MakeTerminalDriver(bool realTime) { return std::make_unique<TerminalDriver>(realTime); }

}  // namespace winemu::ui
