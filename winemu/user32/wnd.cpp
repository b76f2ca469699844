#include "wnd.h"

#include <cstdio>

#include "machine/codepage.h"
#include "controls.h"

namespace winemu::user32 {

namespace {
constexpr std::uintptr_t kHandleBase = 0x00010000;
}

WindowSystem::WindowSystem(Machine&) { RegisterSystemClasses(*this); }

WindowSystem::~WindowSystem() = default;

Window* WindowSystem::Find(HWND h) const {
  auto it = live_.find(reinterpret_cast<std::uintptr_t>(h));
  return it == live_.end() ? nullptr : it->second;
}

Window& WindowSystem::Add(std::unique_ptr<Window> w) {
  std::uintptr_t h = kHandleBase + 2 * ++next_;
  w->handle = reinterpret_cast<HWND>(h);
  live_[h] = w.get();
  windows_.push_back(std::move(w));
  return *windows_.back();
}

void WindowSystem::Forget(Window& w) {
  w.alive = false;
  live_.erase(reinterpret_cast<std::uintptr_t>(w.handle));
}

std::vector<Window*> WindowSystem::Live() const {
  std::vector<Window*> all;
  for (auto& w : windows_)
    if (w->alive) all.push_back(w.get());
  return all;
}

WindowSystem& WS() { return M().State<WindowSystem>(); }

Window* W(HWND h) { return h ? WS().Find(h) : nullptr; }

Window* WOrFail(HWND h) {
  Window* w = W(h);
  if (!w) SetError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

unsigned CodePage() { return M().Config().codePage; }

std::u16string FromAnsi(const char* text) { return text ? AnsiToWide(text, CodePage()) : std::u16string(); }

std::string ToAnsi(std::u16string_view text) { return WideToAnsi(text, CodePage()); }

std::string ToUtf8(std::u16string_view text) { return WideToUtf8(text); }

int CopyAnsi(std::u16string_view text, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  std::string out = ToAnsi(text);
  if (out.size() < static_cast<size_t>(size)) {
    out.copy(buffer, out.size());
    buffer[out.size()] = '\0';
    return static_cast<int>(out.size());
  }
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    size_t units = (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) ? 2 : 1;
    std::string one = WideToAnsi(text.substr(i, units), CodePage());
    if (out.size() + one.size() > static_cast<size_t>(size - 1)) break;
    out += one;
    i += units - 1;
  }
  out.copy(buffer, out.size());
  buffer[out.size()] = '\0';
  return static_cast<int>(out.size());
}

LRESULT Send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!w || !w->alive || !w->proc) return 0;
  return w->proc(w->handle, msg, wParam, lParam);
}

LRESULT Send(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) { return Send(W(h), msg, wParam, lParam); }

void Post(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  WS().posted.push_back(MSG{h, msg, wParam, lParam, static_cast<DWORD>(M().Now()), POINT{0, 0}});
}

void PostInput(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  WS().input.push_back(MSG{h, msg, wParam, lParam, static_cast<DWORD>(M().Now()), POINT{0, 0}});
}

Window* Root(Window* w) {
  while (w && w->parent) w = w->parent;
  return w;
}

bool IsVisibleTree(const Window* w) {
  for (; w; w = w->parent)
    if (!(w->style & WS_VISIBLE)) return false;
  return true;
}

bool IsEnabledTree(const Window* w) {
  for (; w; w = w->parent)
    if (w->style & WS_DISABLED) return false;
  return true;
}

bool IsDescendant(const Window* ancestor, const Window* w) {
  if (!ancestor || !w) return false;
  for (const Window* p = w->parent; p; p = p->parent)
    if (p == ancestor) return true;
  return false;
}

std::string HandleText(const void* h) {
  if (!h) return "none";
  char text[24];
  std::snprintf(text, sizeof text, "0x%08llX", static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(h)));
  return text;
}

}  // namespace winemu::user32
