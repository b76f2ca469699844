// The subcommands of the winemu command, each in a file of its own.
#pragma once

#include <string>
#include <vector>

namespace winemu::cli {

struct Command {
  const char* name;
  const char* usage;  // the arguments after the name
  int (*run)(const std::vector<std::string>& args);
};

// Each subcommand file registers itself with a static Registration.
std::vector<Command>& Commands();
struct Registration {
  explicit Registration(Command c) { Commands().push_back(c); }
};

// One clear line on stderr; returns the exit code for usage errors (2).
int UsageError(const std::string& message);

}  // namespace winemu::cli
