// winemu trace DIR [--outcome]: the trace of the last run, or what it ended with.
#include <fstream>
#include <iostream>
#include <iterator>

#include "machine/machine.h"
#include "machine/printable.h"
#include "ui/outcome.h"
#include "command.h"

namespace winemu::cli {
namespace {

int Run(const SplitArgs& args) {
  if (args.positional.size() != 1) return UsageError("trace: needs exactly one machine directory");
  const std::string& dir = args.positional[0];
  Machine::Open(dir);  // checks that it is a machine
  std::ifstream in(std::filesystem::path(dir) / "trace.log", std::ios::binary);
  if (!in) return MachineFailure("trace: no run has been traced on " + Printable(dir));
  if (!args.Has("--outcome")) {
    std::cout << in.rdbuf();
    return 0;
  }
  std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::cout << ui::RunOutcome(log).value_or("did not end by itself") << "\n";
  return 0;
}

Registration reg({"trace", "DIR",
                  "Prints the ordered effects of the last run on the machine in DIR, one a line (texts quoted, line "
                  "breaks written \\n).",
                  {{"--outcome", nullptr,
                    "print only what the run ended with, as its closing line says it (ended with the message \"...\", "
                    "was cancelled, ended silently), or that it did not end by itself"}},
                  &Run});

}  // namespace
}  // namespace winemu::cli
