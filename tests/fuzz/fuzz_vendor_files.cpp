// The check of a vendor's payload files, in every role.
#include <cstddef>
#include <cstdint>
#include <span>

#include "vendor_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using k7x::tools::VendorRole;
  for (VendorRole role : {VendorRole::kModelGpd, VendorRole::kModelIni, VendorRole::kInf, VendorRole::kLanguageFile,
                          VendorRole::kSettingsFile, VendorRole::kProgram})
    k7x::tools::CheckVendorFile(role, "f", std::span<const std::uint8_t>(data, size));
  return 0;
}
