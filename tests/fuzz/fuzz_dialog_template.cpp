// DLGTEMPLATE and DLGTEMPLATEEX as dialog creation reads them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "winemu/user32/dlgtemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winemu::user32::ParseDialogTemplate(std::span<const std::uint8_t>(data, size));
  return 0;
}
