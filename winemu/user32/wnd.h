// user32 inside winemu: the window tree, classes, the message queue, timers, focus and activation.
// Every window of the process lives in the machine's WindowSystem; an HWND is a small number,
// handed out in order, so runs are deterministic.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>
#include <windows.h>

#include "kernel32/res_file.h"
#include "machine/machine.h"
#include "machine/program.h"

namespace winemu::user32 {

// Error codes of the window functions (winerror.h values).
constexpr DWORD kErrorTlwWithWsChild = 1406;
constexpr DWORD kErrorCannotFindWndClass = 1407;
constexpr DWORD kErrorClassAlreadyExists = 1410;
constexpr DWORD kErrorClassDoesNotExist = 1411;
constexpr DWORD kErrorClassHasWindows = 1412;
constexpr DWORD kErrorInvalidIndex = 1413;

// A run of the program that cannot go on: nothing drives it while it waits for input, an action
// of the script fails, a window would repaint forever. RunProgram reports it as one line.
class UiError : public RunError {
 public:
  using RunError::RunError;
};

struct WindowClass {
  std::u16string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int clsExtra = 0;
  int wndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSmall = nullptr;
  HCURSOR cursor = nullptr;
  bool cursorSet = false;
  int cursorShowCount = 0;
  HBRUSH background = nullptr;
  bool system = false;
};

// The state of a predefined control (button, list box ...), owned by its window.
struct ControlData {
  virtual ~ControlData() = default;
};

// What a dialog window knows beyond a plain window.
struct DialogData {
  int templateId = -1;  // the integer resource id it was made from; -1 for another template
  HFONT font = nullptr;  // the template's font (DS_SETFONT), made and deleted by the dialog
  int baseX = 8;         // dialog base units of that font
  int baseY = 16;
  HWND savedFocus = nullptr;
  int defId = 0;  // DM_SETDEFID, or the template's default push button
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  HWND disabledOwner = nullptr;  // the owner a modal run disabled and must enable again
  // Message boxes.
  bool messageBox = false;
  UINT mbStyle = 0;
  std::string mbCaptionUtf8;
  std::string mbTextUtf8;
};

struct Window {
  HWND handle = nullptr;
  WindowClass* cls = nullptr;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  LONG_PTR id = 0;  // GWLP_ID: the control id of a child window
  LONG_PTR userData = 0;
  HINSTANCE instance = nullptr;
  Window* parent = nullptr;  // WS_CHILD windows only
  Window* owner = nullptr;   // top-level windows only
  std::vector<Window*> children;  // top of the z-order (GW_CHILD) first
  RECT rect{};  // window rectangle in the parent's client coordinates (screen for top-level)
  std::u16string text;
  std::vector<unsigned char> extra;  // cbWndExtra
  HFONT font = nullptr;  // WM_SETFONT of the predefined controls
  HICON iconBig = nullptr;
  HICON iconSmall = nullptr;
  HMENU sysMenu = nullptr;
  bool alive = true;
  bool destroying = false;
  bool needPaint = false;
  bool needErase = false;
  int paintsInARow = 0;  // WM_PAINT sent without the window being validated
  std::unique_ptr<ControlData> control;
  std::unique_ptr<DialogData> dialog;
  // Creation: the template's UTF-16 text and image name, taken by WM_NCCREATE and the controls.
  std::optional<std::u16string> createText;
  std::optional<ResId> createImage;

  template <class T>
  T* Control() const {
    return dynamic_cast<T*>(control.get());
  }
  bool IsChild() const { return (style & WS_CHILD) != 0; }
};

struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  std::uint64_t due = 0;
  std::uint64_t order = 0;
};

class WindowSystem {
 public:
  explicit WindowSystem(Machine&);
  ~WindowSystem();

  Window* Find(HWND h) const;  // a live window or none
  Window& Add(std::unique_ptr<Window> w);
  void Forget(Window& w);  // the window is destroyed: its handle stops naming it
  std::vector<Window*> Live() const;  // every live window, in creation order

  std::vector<std::unique_ptr<WindowClass>> classes;
  std::vector<Window*> topLevels;  // top of the z-order first
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
  std::deque<MSG> posted;  // PostMessage, in order
  std::deque<MSG> input;   // keyboard and mouse input, after posted messages
  bool quitPending = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  std::uint64_t timerOrder = 0;
  std::optional<std::uint64_t> waitUntil;  // the driver lets time pass until then
  BYTE keyState[256] = {0};
  HCURSOR cursor = nullptr;
  bool cursorSet = false;
  int cursorShowCount = 0;

 private:
  std::vector<std::unique_ptr<Window>> windows_;  // destroyed windows stay, so a late call stays safe
  std::unordered_map<std::uintptr_t, Window*> live_;
  std::uintptr_t next_ = 0;
};

WindowSystem& WS();
Window* W(HWND h);        // a live window or none
Window* WOrFail(HWND h);  // a live window, or none with ERROR_INVALID_WINDOW_HANDLE

// Text at the "A" boundary, in the machine's ANSI code page.
unsigned CodePage();
std::u16string FromAnsi(const char* text);
std::string ToAnsi(std::u16string_view text);
std::string ToUtf8(std::u16string_view text);
// Copies `text` into an ANSI buffer of `size` bytes, terminated, never splitting a double-byte
// character; returns the bytes copied without the terminator.
int CopyAnsi(std::u16string_view text, char* buffer, int size);

// Calls the window procedure.
LRESULT Send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT Send(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
void Post(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
void PostInput(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

// Tree helpers.
Window* Root(Window* w);  // the top-level ancestor
bool IsVisibleTree(const Window* w);  // it and every ancestor are WS_VISIBLE
bool IsEnabledTree(const Window* w);  // neither it nor an ancestor is WS_DISABLED
bool IsDescendant(const Window* ancestor, const Window* w);
std::string HandleText(const void* handle);  // "0x00010002", or "none"

}  // namespace winemu::user32
