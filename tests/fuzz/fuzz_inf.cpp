// The printer setup utility's INF reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "printui/inf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto result = printui::ParseInf(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!result.error.empty() && !result.inf.sections.empty()) __builtin_trap();
  result.inf.Value("Version", "Signature");
  result.inf.Line("Manufacturer", "K7X");
  return 0;
}
