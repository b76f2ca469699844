// The build's resource sharing over a linked image.
#include <cstddef>
#include <cstdint>
#include <span>

#include "share_resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    k7x::tools::ShareEqualResources(std::span<const std::uint8_t>(data, size));
  } catch (const k7x::tools::PeError&) {
  }
  return 0;
}
