// The script language of the script driver.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "winemu/ui/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto result = winemu::ui::ParseScript(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!result.error.empty() && !result.actions.empty()) __builtin_trap();
  for (const auto& a : result.actions)
    if (a.id < 0 || a.id > 0xFFFF || a.index < 0) __builtin_trap();
  return 0;
}
