// The options of "winemu create", parsed from the argument list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "seed/create.h"

namespace winemu::cli {

constexpr size_t kMaxPrinterName = 220;      // bytes, as the spooler allows
constexpr std::uint64_t kMaxOemInfNumber = 99999;  // oem0.inf to oem99999.inf

struct CreateArgs {
  std::string dir;
  CreateOptions options;
  std::string error;  // empty when the arguments were understood
};

CreateArgs ParseCreateArgs(const std::vector<std::string>& args);

}  // namespace winemu::cli
