// SetTimer and KillTimer on the machine's virtual clock. A due timer makes one WM_TIMER when the
// queue has nothing else; the next one is due an interval after that.
#include <algorithm>

#include "window_ops.h"

namespace winemu::user32 {
namespace {

constexpr UINT kMinimumElapse = 10;  // USER_TIMER_MINIMUM
constexpr UINT kMaximumElapse = 0x7FFFFFFF;
constexpr UINT_PTR kFirstThreadTimer = 0x7FFF;

std::string Describe(HWND hwnd, UINT_PTR id) { return "hwnd=" + HandleText(hwnd) + " id=" + std::to_string(id); }

bool Matches(HWND filter, HWND h) {
  if (!filter) return true;
  Window* f = W(filter);
  Window* w = W(h);
  return f && w && (f == w || IsDescendant(f, w));
}

}  // namespace

void KillTimersOf(HWND h) {
  auto& t = WS().timers;
  t.erase(std::remove_if(t.begin(), t.end(), [h](const Timer& x) { return x.hwnd == h; }), t.end());
}

std::optional<std::uint64_t> NextTimerDue() {
  std::optional<std::uint64_t> due;
  for (const Timer& t : WS().timers)
    if (!due || t.due < *due) due = t.due;
  return due;
}

bool TakeDueTimer(MSG* msg, HWND filter) {
  auto& ws = WS();
  Timer* best = nullptr;
  for (Timer& t : ws.timers) {
    if (t.due > M().Now() || !Matches(filter, t.hwnd)) continue;
    if (!best || t.due < best->due || (t.due == best->due && t.order < best->order)) best = &t;
  }
  if (!best) return false;
  *msg = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), static_cast<DWORD>(M().Now()),
             POINT{0, 0}};
  Trace("timer.fire", Describe(best->hwnd, best->id));
  best->due = M().Now() + best->elapse;
  best->order = ++ws.timerOrder;
  return true;
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc) {
  auto& ws = WS();
  if (hWnd && !WOrFail(hWnd)) return 0;
  UINT elapse = std::clamp(uElapse, kMinimumElapse, kMaximumElapse);
  UINT_PTR id = nIDEvent;
  auto existing = std::find_if(ws.timers.begin(), ws.timers.end(),
                               [&](const Timer& t) { return t.hwnd == hWnd && t.id == nIDEvent; });
  if (!hWnd && existing == ws.timers.end()) {
    id = kFirstThreadTimer;
    while (std::any_of(ws.timers.begin(), ws.timers.end(), [&](const Timer& t) { return !t.hwnd && t.id == id; })) ++id;
  }
  Timer t{hWnd, id, elapse, lpTimerFunc, M().Now() + elapse, ++ws.timerOrder};
  if (existing != ws.timers.end()) *existing = t;
  else ws.timers.push_back(t);
  Trace("timer.set", Describe(hWnd, id) + " elapse=" + std::to_string(elapse));
  if (!hWnd) return id;
  return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
  auto& t = WS().timers;
  auto it = std::find_if(t.begin(), t.end(), [&](const Timer& x) { return x.hwnd == hWnd && x.id == uIDEvent; });
  bool found = it != t.end();
  if (found) t.erase(it);
  TraceResult("timer.kill", Describe(hWnd, uIDEvent), found ? 0 : ERROR_INVALID_PARAMETER);
  if (!found) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  return TRUE;
}
