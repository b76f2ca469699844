// winemu reg import DIR FILE: the keys and values of a regedit file into the machine's registry.
#include <fstream>
#include <iterator>

#include "advapi32/reg_file.h"
#include "machine/machine.h"
#include "machine/printable.h"
#include "command.h"

namespace winemu::cli {
namespace {

int Run(const SplitArgs& args) {
  if (args.positional.size() != 2) return UsageError("reg import: needs a machine directory and a file");
  const std::string& file = args.positional[1];
  std::ifstream in(file, std::ios::binary);
  if (!in) return UsageError("reg import: cannot read '" + Printable(file) + "'");
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto machine = Machine::Open(args.positional[0]);
  reg::FileParseResult parsed = reg::ParseRegFile(bytes, Printable(file), machine->Config().codePage);
  if (!parsed.error.empty()) return UsageError("reg import: " + parsed.error);
  reg::Registry registry(*machine);
  reg::ImportKeys(registry, parsed.keys);
  return 0;
}

Registration reg({"reg import", "DIR FILE",
                  "Reads a regedit file (UTF-16LE or UTF-8) into the machine's registry; nothing changes when a line "
                  "cannot be read.",
                  {}, &Run});

}  // namespace
}  // namespace winemu::cli
