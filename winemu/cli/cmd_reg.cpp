// winemu reg DIR KEY: a key's values (name, type, byte count, data) and subkeys.
#include <cstdio>

#include "advapi32/reg_describe.h"
#include "machine/machine.h"
#include "command.h"

namespace winemu::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  if (args.size() != 2) return UsageError("reg: needs a machine directory and a key such as 'HKLM\\SOFTWARE'");
  auto machine = Machine::Open(args[0]);
  reg::Registry registry(machine->Root() / "registry", machine->Config().codePage);
  std::string error;
  auto text = reg::DescribeKey(registry, args[1], machine->Config().codePage, error);
  if (!text) {
    std::fprintf(stderr, "winemu: reg: %s\n", error.c_str());
    return 1;
  }
  std::fputs(text->c_str(), stdout);
  return 0;
}

Registration reg({"reg", "DIR KEY", &Run});

}  // namespace
}  // namespace winemu::cli
