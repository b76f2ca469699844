// Sleep and the tick count on the machine's virtual clock.
#include <windows.h>

#include "machine/machine.h"

using namespace winemu;

void WINAPI Sleep(DWORD dwMilliseconds) {
  Trace("sleep", std::to_string(dwMilliseconds));
  M().Advance(dwMilliseconds);
}

DWORD WINAPI GetTickCount(void) { return static_cast<DWORD>(M().Now()); }
