// winemu trace DIR: the trace of the last run.
#include <fstream>
#include <iostream>

#include "machine/machine.h"
#include "machine/printable.h"
#include "command.h"

namespace winemu::cli {
namespace {

int Run(const SplitArgs& args) {
  if (args.positional.size() != 1) return UsageError("trace: needs exactly one machine directory");
  const std::string& dir = args.positional[0];
  Machine::Open(dir);  // checks that it is a machine
  std::ifstream in(std::filesystem::path(dir) / "trace.log", std::ios::binary);
  if (!in) return MachineFailure("trace: no run has been traced on " + Printable(dir));
  std::cout << in.rdbuf();
  return 0;
}

Registration reg({"trace", "DIR", "Prints the ordered effects of the last run on the machine in DIR.", {}, &Run});

}  // namespace
}  // namespace winemu::cli
