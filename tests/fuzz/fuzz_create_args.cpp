// The options of "winemu create": the input is the argument list, arguments separated by NUL.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "winemu/cli/create_args.h"
#include "winemu/machine/config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) args.emplace_back();
    else args.back() += static_cast<char>(data[i]);
  }
  auto parsed = winemu::cli::ParseCreateArgs(args);
  if (!parsed.error.empty()) return 0;
  // Options that were accepted make a machine.ini that a run accepts.
  winemu::MachineConfig config;
  config.codePage = parsed.options.codePage.value_or(1252);
  config.faults = parsed.options.faults;
  winemu::MachineConfig::Parse(config.Serialize());
  return 0;
}
