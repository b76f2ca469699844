// winemu reg DIR KEY [--recursive]: a key's values (name, type, byte count, data) and subkeys.
#include <cstdio>

#include "advapi32/reg_describe.h"
#include "machine/machine.h"
#include "command.h"

namespace winemu::cli {
namespace {

int Run(const SplitArgs& args) {
  if (args.positional.size() != 2)
    return UsageError("reg: needs a machine directory and a key such as 'HKLM\\SOFTWARE'");
  auto machine = Machine::Open(args.positional[0]);
  reg::Registry registry(*machine);
  std::string error;
  auto text = reg::DescribeKey(registry, args.positional[1], machine->Config().codePage, error, args.Has("--recursive"));
  if (!text) return MachineFailure("reg: " + error);
  std::fputs(text->c_str(), stdout);
  return 0;
}

Registration reg({"reg", "DIR KEY",
                  "Shows a key of the machine's registry: its values (name, type, byte count, data) and subkeys. "
                  "winemu reg export DIR KEY [FILE] writes a key and all below it as a regedit file; winemu reg "
                  "import DIR FILE reads one into the registry.",
                  {{"--recursive", nullptr, "every key below it too"}}, &Run});

}  // namespace
}  // namespace winemu::cli
