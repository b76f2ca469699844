#include "terminal.h"

#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
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
#include "terminal_view.h"

namespace winemu::ui {
namespace {

using user32::UiError;

// The key help under the windows, wrapped to the width.
const std::vector<std::string> kHelp = {"Tab, Shift+Tab: next, previous", "arrows: in a group, list", "Space: press",
                                        "Enter: press [=default=]",       "Esc on a button: cancel",  "Alt+letter: underlined",
                                        "Alt+F4: close",                  "Alt+Space: menu",          "Ctrl+L: redraw",
                                        "Ctrl+C: stop"};
const std::vector<std::string> kMenuHelp = {"Up, Down: choose", "Enter or the underlined letter: select", "Esc: close the menu"};

// Keys as the terminal sends them, by the name the script language gives them.
constexpr std::pair<const char*, const char*> kKeys[] = {
    {"\t", "Tab"},      {"\x1b[Z", "Shift+Tab"}, {" ", "Space"},      {"\r", "Enter"},      {"\n", "Enter"},
    {"\x1b", "Escape"}, {"\x1b[A", "Up"},        {"\x1b[B", "Down"},  {"\x1b[C", "Right"},  {"\x1b[D", "Left"},
    {"\x1bOA", "Up"},   {"\x1bOB", "Down"},      {"\x1bOC", "Right"}, {"\x1bOD", "Left"},   {"\x1b[H", "Home"},
    {"\x1b[1~", "Home"}, {"\x1bOH", "Home"},     {"\x1b[F", "End"},   {"\x1b[4~", "End"},   {"\x1bOF", "End"}};

// Alt+F4 as terminals send it: F4 with the Alt modifier, or F4 after an Escape.
constexpr const char* kAltF4[] = {"\x1b[1;3S", "\x1b[14;3~", "\x1b\x1bOS", "\x1b\x1b[14~"};

// SIGWINCH, the terminal's size changed: caught only so that it ends the wait for a key.
void OnResize(int) {}

void WriteAll(int fd, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += static_cast<size_t>(n);
  }
}

std::optional<std::string> KeyNameOf(const std::string& bytes) {
  for (const auto& [sequence, name] : kKeys)
    if (bytes == sequence) return std::string(name);
  return std::nullopt;
}

class TerminalDriver : public Driver {
 public:
  // Takes the terminal: raw keys, the alternate screen, the size's changes; the program's own
  // standard output is kept aside until the terminal is given back.
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
    std::fflush(stdout);
    tty_ = dup(STDOUT_FILENO);
    kept_ = std::tmpfile();
    if (kept_) dup2(fileno(kept_), STDOUT_FILENO);
    struct sigaction resize {};
    resize.sa_handler = &OnResize;  // no SA_RESTART: a resize ends the wait for a key
    sigemptyset(&resize.sa_mask);
    sigaction(SIGWINCH, &resize, &savedResize_);
    WriteAll(tty_, "\x1b[?1049h\x1b[?25l");
  }
  ~TerminalDriver() override { Leave(); }

  // Gives the terminal back as it was, then writes what the program printed meanwhile.
  void Leave() override {
    if (left_) return;
    left_ = true;
    std::fflush(stdout);
    WriteAll(tty_, "\x1b[?25h\x1b[?1049l");
    if (raw_) tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    sigaction(SIGWINCH, &savedResize_, nullptr);
    dup2(tty_, STDOUT_FILENO);
    close(tty_);
    if (!kept_) return;
    std::rewind(kept_);
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, kept_)) > 0;) std::fwrite(buffer, 1, n, stdout);
    std::fclose(kept_);
    std::fflush(stdout);
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
    if (ready < 0) return;  // a resize: the next step draws the new size
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

  static char ReadByte() {
    char c = 0;
    for (;;) {
      ssize_t n = read(STDIN_FILENO, &c, 1);
      if (n == 1) return c;
      if (n < 0 && errno == EINTR) continue;
      throw UiError("the terminal closed");
    }
  }

  // One key: a byte, or an escape sequence (Esc, an optional second Esc for Alt, then a CSI or SS3
  // sequence or one character), read while its bytes follow within 30 ms.
  static std::string ReadKey() {
    std::string seq(1, ReadByte());
    if (seq[0] != 0x1B) return seq;
    pollfd in{STDIN_FILENO, POLLIN, 0};
    auto more = [&] { return seq.size() < 8 && poll(&in, 1, 30) > 0; };
    if (!more()) return seq;
    seq.push_back(ReadByte());
    if (seq.back() == 0x1B) {
      if (!more()) return seq;
      seq.push_back(ReadByte());
    }
    char kind = seq.back();
    if (kind == 'O') {
      if (more()) seq.push_back(ReadByte());
    } else if (kind == '[') {
      while (more()) {
        seq.push_back(ReadByte());
        if (seq.back() >= 0x40 && seq.back() <= 0x7E) break;
      }
    }
    return seq;
  }

  void Act(const std::string& key) {
    if (key == "\x03" || key == "\x04") throw StopAtTerminal();
    if (key == "\x0c") {
      clear_ = true;
      return;
    }
    for (const char* altF4 : kAltF4)
      if (key == altF4) {
        AltF4();
        return;
      }
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

  // The menu under the active window's caption; returns the cells it took.
  Cells DrawMenu(Screen& screen, const Drawn& drawn) const {
    std::vector<user32::MenuItem> items = MenuItemsOfActive();
    const Cells& active = drawn.box ? *drawn.box : drawn.root;
    int col = active.left + 1;
    int row = active.top + 1;
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
    return Cells{col, row, col + static_cast<int>(width) + 4, row + static_cast<int>(items.size()) + 2};
  }

  void Render() {
    winsize size{};
    int cols = 100, rows = 40;
    if (ioctl(tty_, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
      cols = size.ws_col;
      rows = size.ws_row;
    }
    Overlay menu = [this](Screen& s, const Drawn& d) { return menu_ ? std::optional<Cells>(DrawMenu(s, d)) : std::nullopt; };
    Screen picture = TerminalPicture(cols, rows, menu_ ? kMenuHelp : kHelp, message_, offset_, menu);
    std::string out = clear_ ? "\x1b[2J\x1b[H" : "\x1b[H";
    clear_ = false;
    WriteAll(tty_, out + picture.Ansi());
  }

  bool realTime_ = false;
  bool raw_ = false;
  bool left_ = false;
  bool clear_ = false;  // Ctrl+L: the next picture starts from a cleared screen
  termios saved_{};
  int tty_ = -1;             // the terminal, where the pictures go
  std::FILE* kept_ = nullptr;  // the program's standard output while the terminal is taken
  struct sigaction savedResize_ {};
  ViewOffset offset_;
  std::string message_;
  std::optional<size_t> menu_;  // the highlighted item while the system menu is open
};

}  // namespace

std::unique_ptr<Driver> MakeTerminalDriver(bool realTime) { return std::make_unique<TerminalDriver>(realTime); }

}  // namespace winemu::ui
