// One argument splitter for every winemu command: options as "--name VALUE" or "--name=VALUE",
// flags as "--name", "-h"/"--help" anywhere, "--" ending the options; everything else positional.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace winemu::cli {

struct OptionDef {
  const char* name;   // "--version"
  const char* value;  // what the value looks like ("MAJOR.MINOR"); null for a flag
  const char* help;   // one line for the command's help
};

struct SplitArgs {
  std::vector<std::string> positional;
  std::vector<std::pair<std::string, std::string>> options;  // in the order given; "" for a flag
  bool help = false;
  std::string error;  // an unknown option, a missing value, a value given to a flag

  bool Has(const std::string& name) const;
  // The value of the last `name` given; "" when it was not.
  std::string Value(const std::string& name) const;
};

SplitArgs Split(const std::vector<std::string>& args, const std::vector<OptionDef>& defs);

}  // namespace winemu::cli
