// The options of "winemu create", parsed from the argument list.
#pragma once

#include <string>
#include <vector>

#include "seed/create.h"

namespace winemu::cli {

struct CreateArgs {
  std::string dir;
  CreateOptions options;
  std::string error;  // empty when the arguments were understood
};

CreateArgs ParseCreateArgs(const std::vector<std::string>& args);

}  // namespace winemu::cli
