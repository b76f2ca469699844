// Setup's command line: split as the C runtime splits it after the program's path, then read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "src/shared/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  // Every switch taken, then none: a line with an argument is refused when no switch is taken.
  CommandLineResult all = ParseCommandLine(text, ~0u);
  CommandLineResult none = ParseCommandLine(text, 0);
  if (none.options.any == none.error.empty()) __builtin_trap();
  if (all.options.any != none.options.any) __builtin_trap();
  return 0;
}
