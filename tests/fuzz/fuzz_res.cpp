// The .res reader behind FindResourceA and dialog creation.
#include <cstddef>
#include <cstdint>
#include <span>

#include "winemu/kernel32/res_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winemu::ParseResFile(std::span<const std::uint8_t>(data, size));
  return 0;
}
