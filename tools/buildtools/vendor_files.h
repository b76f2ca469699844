// What the installer relies on in a vendor's payload files, checked before they are embedded. Each
// problem is one line naming the file and, where it has one, the line: "NAME:LINE: text" or
// "NAME: text".
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace k7x::tools {

enum class VendorRole {
  kModelGpd,      // rewritten model-name lines, CR LF text, the include of stdnames.gpd
  kModelIni,      // [OEMFiles] with its two rewritten keys
  kInf,           // installs the model K7X as the printer setup utility reads it
  kLanguageFile,  // [Setting] and [String]
  kSettingsFile,  // [Setting] with PrinterName and Language
  kProgram,       // a PE32 image for i386 (DLLs and the uninstaller)
};

// The role named by "gpd", "ini", "inf", "language", "settings" or "program".
std::optional<VendorRole> RoleNamed(std::string_view name);

std::vector<std::string> CheckVendorFile(VendorRole role, const std::string& name, std::span<const std::uint8_t> bytes);

}  // namespace k7x::tools
