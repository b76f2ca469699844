// "winemu run"'s closing line, printed by the program itself once its exit code is known, from its
// own trace, when the command asks for it (WINEMU_CLOSING_LINE).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "machine/machine.h"
#include "machine/program.h"
#include "outcome.h"

namespace winemu::ui {
namespace {

void PrintClosingLine(int exitCode) {
  const char* asked = std::getenv("WINEMU_CLOSING_LINE");
  if (!asked || !*asked) return;
  std::string log;
  for (const TraceEntry& e : M().TraceEntries()) log += e.Line() + "\n";
  // A process's exit status holds 8 bits on Linux; Windows' exit codes (1603, 740) are longer.
  if (auto outcome = RunOutcome(log)) {
    if ((exitCode & 0xFF) == exitCode)
      std::printf("winemu: the program %s (exit code %d)\n", outcome->c_str(), exitCode);
    else
      std::printf("winemu: the program %s (exit code %d, %d to the shell)\n", outcome->c_str(), exitCode, exitCode & 0xFF);
  }
  std::fflush(stdout);
}

[[maybe_unused]] const bool kExitReportSet = (SetExitReport(&PrintClosingLine), true);

}  // namespace
}  // namespace winemu::ui
