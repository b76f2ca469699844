// winemu create DIR [options]
#include "seed/create.h"
#include "command.h"
#include "create_args.h"

namespace winemu::cli {
namespace {

int Run(const SplitArgs& args) {
  CreateArgs parsed = ReadCreateArgs(args);
  if (!parsed.error.empty()) return UsageError("create: " + parsed.error);
  CreateMachine(parsed.dir, parsed.options);
  return 0;
}

Registration reg({"create", "DIR", "Makes a new machine in DIR (missing or empty); nothing is left behind on error.",
                  CreateOptionDefs(), &Run});

}  // namespace
}  // namespace winemu::cli
