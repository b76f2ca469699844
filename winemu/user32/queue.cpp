// The message queue: SendMessageA, PostMessageA, GetMessageA, PeekMessageA, TranslateMessage,
// DispatchMessageA. Retrieval order: posted messages, keyboard and mouse input, the quit request,
// WM_PAINT for a window that needs painting, WM_TIMER for a due timer. When there is nothing,
// GetMessageA waits: the idle hook (the input driver) acts, or lets time pass; with no driver, time
// passes to the next timer.
#include <algorithm>

#include "idle.h"
#include "window_ops.h"

namespace winemu::user32 {
namespace {

IdleHook& IdleSlot() {
  static IdleHook hook = nullptr;
  return hook;
}

constexpr int kPaintLoopLimit = 100;

bool InRange(UINT m, UINT min, UINT max) { return (min == 0 && max == 0) || (m >= min && m <= max); }

bool ForWindow(HWND filter, HWND h) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) return h == nullptr;
  Window* f = W(filter);
  Window* w = W(h);
  return f && w && (f == w || IsDescendant(f, w));
}

bool TakeFrom(std::deque<MSG>& queue, MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (!InRange(it->message, min, max) || !ForWindow(filter, it->hwnd)) continue;
    *msg = *it;
    if (remove) queue.erase(it);
    return true;
  }
  return false;
}

Window* NeedsPaint(Window* w) {
  if (!(w->style & WS_VISIBLE)) return nullptr;
  if (w->needPaint) return w;
  for (Window* c : w->children)
    if (Window* found = NeedsPaint(c)) return found;
  return nullptr;
}

void NoteKey(const MSG& m) {
  auto& ws = WS();
  BYTE vk = static_cast<BYTE>(m.wParam);
  if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
    if (!(ws.keyState[vk] & 0x80)) ws.keyState[vk] ^= 0x01;
    ws.keyState[vk] |= 0x80;
  } else if (m.message == WM_KEYUP || m.message == WM_SYSKEYUP) {
    ws.keyState[vk] &= static_cast<BYTE>(~0x80);
  }
}

bool Retrieve(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
  auto& ws = WS();
  if (TakeFrom(ws.posted, msg, filter, min, max, remove)) return true;
  if (TakeFrom(ws.input, msg, filter, min, max, remove)) {
    if (remove) NoteKey(*msg);
    return true;
  }
  if (ws.quitPending && InRange(WM_QUIT, min, max)) {
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(ws.quitCode), 0, static_cast<DWORD>(M().Now()), POINT{0, 0}};
    if (remove) ws.quitPending = false;
    return true;
  }
  if (InRange(WM_PAINT, min, max)) {
    for (Window* top : ws.topLevels) {
      Window* w = NeedsPaint(top);
      if (w && ForWindow(filter, w->handle)) {
        *msg = MSG{w->handle, WM_PAINT, 0, 0, static_cast<DWORD>(M().Now()), POINT{0, 0}};
        return true;
      }
    }
  }
  if (InRange(WM_TIMER, min, max) && remove && TakeDueTimer(msg, filter)) return true;
  return false;
}

// Nothing to retrieve: time passes toward the driver's wait, or the driver acts.
void Idle() {
  auto& ws = WS();
  if (ws.waitUntil) {
    std::uint64_t now = M().Now();
    std::optional<std::uint64_t> due = NextTimerDue();
    if (due && *due <= *ws.waitUntil) {
      if (*due > now) M().Advance(*due - now);
      return;
    }
    if (*ws.waitUntil > now) M().Advance(*ws.waitUntil - now);
    ws.waitUntil.reset();
    return;
  }
  if (IdleSlot() && IdleSlot()()) return;
  // A program nothing drives still runs on its timers: time passes to the next one.
  if (std::optional<std::uint64_t> due = NextTimerDue()) {
    if (*due > M().Now()) M().Advance(*due - M().Now());
    return;
  }
  throw UiError("the program waits for input, but nothing drives it (run it with --script FILE or --terminal)");
}

}  // namespace

void SetIdleHook(IdleHook hook) { IdleSlot() = hook; }

namespace {

char KeyChar(WPARAM vk, bool shift) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<char>(shift ? vk : vk + 32);
  if (vk >= '0' && vk <= '9' && !shift) return static_cast<char>(vk);
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_TAB: return '\t';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 0x1B;
    case VK_BACK: return 0x08;
    default: return 0;
  }
}

}  // namespace
}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  Window* w = WOrFail(hWnd);
  if (!w) return 0;
  return Send(w, Msg, wParam, lParam);
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd == reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0xFFFF))) {
    for (Window* t : WS().topLevels) Post(t->handle, Msg, wParam, lParam);
    return TRUE;
  }
  if (hWnd && !WOrFail(hWnd)) return FALSE;
  Post(hWnd, Msg, wParam, lParam);
  return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
  WS().quitPending = true;
  WS().quitCode = nExitCode;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
  if (!lpMsg) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  return Retrieve(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0);
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
  if (!lpMsg) return SetError(ERROR_INVALID_PARAMETER), -1;
  while (!Retrieve(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) Idle();
  return lpMsg->message != WM_QUIT;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
  if (!lpMsg || (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN)) return FALSE;
  char c = KeyChar(lpMsg->wParam, (WS().keyState[VK_SHIFT] & 0x80) != 0);
  if (!c) return FALSE;
  Post(lpMsg->hwnd, lpMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, static_cast<unsigned char>(c), lpMsg->lParam);
  return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
  if (!lpMsg) return 0;
  if (lpMsg->message == WM_TIMER && lpMsg->lParam) {
    reinterpret_cast<TIMERPROC>(lpMsg->lParam)(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, static_cast<DWORD>(M().Now()));
    return 0;
  }
  Window* w = WOrFail(lpMsg->hwnd);
  if (!w) return 0;
  LRESULT r = Send(w, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
  if (lpMsg->message == WM_PAINT && w->alive && w->needPaint && ++w->paintsInARow > kPaintLoopLimit)
    throw UiError("window " + HandleText(w->handle) + " does not validate itself on WM_PAINT (no BeginPaint), so it would repaint forever");
  return r;
}

SHORT WINAPI GetKeyState(int nVirtKey) {
  BYTE s = WS().keyState[static_cast<BYTE>(nVirtKey)];
  return static_cast<SHORT>(((s & 0x80) ? 0xFF80 : 0) | (s & 0x01));
}
