// winemu reg export DIR KEY [FILE]: a key and everything below it as a regedit file.
#include <cstdio>
#include <fstream>

#include "advapi32/reg_describe.h"
#include "advapi32/reg_file.h"
#include "machine/machine.h"
#include "machine/printable.h"
#include "command.h"

namespace winemu::cli {
namespace {

int Run(const SplitArgs& args) {
  if (args.positional.size() != 2 && args.positional.size() != 3)
    return UsageError("reg export: needs a machine directory, a key and at most one file");
  auto machine = Machine::Open(args.positional[0]);
  unsigned codePage = machine->Config().codePage;
  reg::Registry registry(*machine);
  std::string error;
  auto at = reg::FindKeyPath(registry, args.positional[1], codePage, error);
  std::string bytes;
  if (!at || !reg::WriteRegFile(reg::CollectKeys(registry, at->root, at->path), codePage, bytes, error))
    return MachineFailure("reg export: " + error);
  if (args.positional.size() == 2) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    return 0;
  }
  const std::string& file = args.positional[2];
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !out.flush())
    return UsageError("reg export: cannot write '" + Printable(file) + "'");
  return 0;
}

Registration reg({"reg export", "DIR KEY [FILE]",
                  "Writes KEY and every key below it in regedit's format (UTF-16LE) to FILE, or to standard output.",
                  {}, &Run});

}  // namespace
}  // namespace winemu::cli
