// Sleep, the tick count and the local time on the machine's virtual clock.
#include <windows.h>

#include <chrono>

#include "machine/machine.h"

using namespace winemu;

void WINAPI Sleep(DWORD dwMilliseconds) {
  Trace("sleep", std::to_string(dwMilliseconds));
  M().Advance(dwMilliseconds);
}

DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(M().Now()); }

// Every process starts at the same local time, Monday 4 January 2010 09:00:00, so that whatever a
// program writes with the time is the same on every run.
void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) {
  using namespace std::chrono;
  constexpr sys_days kStartDay = year{2010} / January / 4;
  std::uint64_t ms = M().Now() + 9ull * 3600 * 1000;
  sys_days day = kStartDay + days(ms / 86400000);
  year_month_day date(day);
  std::uint64_t inDay = ms % 86400000;
  lpSystemTime->wYear = static_cast<WORD>(static_cast<int>(date.year()));
  lpSystemTime->wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
  lpSystemTime->wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
  lpSystemTime->wDayOfWeek = static_cast<WORD>(weekday(day).c_encoding());
  lpSystemTime->wHour = static_cast<WORD>(inDay / 3600000);
  lpSystemTime->wMinute = static_cast<WORD>(inDay / 60000 % 60);
  lpSystemTime->wSecond = static_cast<WORD>(inDay / 1000 % 60);
  lpSystemTime->wMilliseconds = static_cast<WORD>(inDay % 1000);
}
