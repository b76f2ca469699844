// The printer setup utility's command line: split as the C runtime splits it, then read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "printui/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto result = printui::ParseCommand(printui::SplitArguments(text));
  if (result.command.has_value() == !result.error.empty()) __builtin_trap();
  return 0;
}
