#include "spooler_calls.h"

#include "machine/codepage.h"

namespace winemu::spooler {

std::string Shown(const std::string& ansiName) {
  return ansiName.empty() ? "(server)" : AnsiToUtf8(ansiName, M().Config().codePage);
}

}  // namespace winemu::spooler
