#include "junctions.h"

#include <windows.h>

#include "machine/machine.h"
#include "machine/paths.h"

namespace winemu {

bool IsJunction(const std::filesystem::path& host) {
  std::error_code ec;
  return std::filesystem::is_symlink(host, ec);
}

std::uint32_t MakeJunction(const std::string& link, const std::string& target) {
  ResolvedPath l, t;
  if (std::uint32_t err = ResolvePath(link, l)) return err;
  if (std::uint32_t err = ResolvePath(target, t)) return err;
  if (!l.parentExists) return ERROR_PATH_NOT_FOUND;
  if (l.exists) return ERROR_ALREADY_EXISTS;
  if (!t.exists || !t.directory) return ERROR_PATH_NOT_FOUND;
  std::error_code ec;
  std::filesystem::create_directory_symlink(std::filesystem::relative(t.host, l.host.parent_path()), l.host, ec);
  if (ec) return ERROR_ACCESS_DENIED;
  NoteMade(l.host, true);
  return 0;
}

}  // namespace winemu
