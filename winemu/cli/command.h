// The subcommands of the winemu command, each in a file of its own; each registration carries the
// command's help.
#pragma once

#include <string>
#include <vector>

#include "machine/exit_codes.h"
#include "split_args.h"

namespace winemu::cli {

struct Command {
  const char* name;       // one or two words: "create", "reg export"
  const char* arguments;  // the positional arguments: "DIR KEY [FILE]"
  const char* summary;    // what it does, for the help
  std::vector<OptionDef> options;
  int (*run)(const SplitArgs& args);
};

// Each subcommand file registers itself with a static Registration.
std::vector<Command>& Commands();
struct Registration {
  explicit Registration(Command c) { Commands().push_back(std::move(c)); }
};

// One clear line on stderr; return the exit code for a usage error or a machine error.
int UsageError(const std::string& message);
int MachineFailure(const std::string& message);

}  // namespace winemu::cli
