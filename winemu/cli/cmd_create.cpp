// winemu create DIR [options]
#include <cstdio>

#include "seed/create.h"
#include "command.h"
#include "create_args.h"

namespace winemu::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  CreateArgs parsed = ParseCreateArgs(args);
  if (!parsed.error.empty()) return UsageError("create: " + parsed.error);
  CreateMachine(parsed.dir, parsed.options);
  return 0;
}

Registration reg({"create",
                  "DIR [--version MAJOR.MINOR] [--not-nt] [--lang 0xNNNN] [--codepage N] [--user] "
                  "[--printer NAME]... [--oem-inf N=FILE]... [--fault NAME[=VALUE]]...",
                  &Run});

}  // namespace
}  // namespace winemu::cli
