// Junctions: folder links under drive C:, kept on the host as relative symbolic links. Paths
// through a junction reach its target, as on Windows; the folder functions see the link itself:
// FILE_ATTRIBUTE_REPARSE_POINT, and RemoveDirectoryA removes the link and leaves the target.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace winemu {

bool IsJunction(const std::filesystem::path& host);

// Makes the folder `link` (which must not exist) a junction to the folder `target`, both full
// Windows paths on the current machine; 0 or a Windows error.
std::uint32_t MakeJunction(const std::string& link, const std::string& target);

}  // namespace winemu
