#include "spooler_calls.h"

#include "../machine/codepage.h"
#include "../machine/machine.h"
#include "spooler_store.h"

namespace winemu::spooler {

DWORD CallError() { return SpoolerRunning() ? 0 : RPC_S_SERVER_UNAVAILABLE; }

BOOL CallResult(const char* kind, const std::string& detail, DWORD err) {
  TraceResult(kind, detail, err);
  SetError(err);
  return err ? FALSE : TRUE;
}

std::string Shown(const std::string& ansiName) {
  return ansiName.empty() ? "(server)" : AnsiToUtf8(ansiName, M().Config().codePage);
}

}  // namespace winemu::spooler
