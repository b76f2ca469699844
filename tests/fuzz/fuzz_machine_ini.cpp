// machine.ini: read or refused with a MachineError; what is read writes back to text that reads the
// same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "winemu/machine/config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winemu::MachineConfig config;
  try {
    config = winemu::MachineConfig::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const winemu::MachineError&) {
    return 0;
  }
  std::string text = config.Serialize();
  if (winemu::MachineConfig::Parse(text).Serialize() != text) __builtin_trap();
  return 0;
}
