// winemu trace DIR: the trace of the last run.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "machine/machine.h"
#include "command.h"

namespace winemu::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() != 1) return UsageError("trace: needs exactly one machine directory");
  Machine::Open(args[0]);  // checks that it is a machine
  std::ifstream in(std::filesystem::path(args[0]) / "trace.log", std::ios::binary);
  if (!in) return UsageError("trace: no run has been traced on " + args[0]);
  std::cout << in.rdbuf();
  return 0;
}

Registration reg({"trace", "DIR", &Run});

}  // namespace
}  // namespace winemu::cli
