// The user's folder for temporary files, in the profile of the user the program runs as.
#include <windows.h>

#include <filesystem>
#include <system_error>

#include "buffers.h"
#include "machine/machine.h"
#include "machine/paths.h"

using namespace winemu;

namespace {

// Windows takes TMP, TEMP or the profile; a machine's user has the default of its version:
// %USERPROFILE%\Local Settings\Temp up to Server 2003, %USERPROFILE%\AppData\Local\Temp from Vista.
std::string UserTempDir(const MachineConfig& c) {
  std::string user = c.admin ? "Administrator" : "User";
  if (c.major >= 6) return "C:\\Users\\" + user + "\\AppData\\Local\\Temp\\";
  return "C:\\Documents and Settings\\" + user + "\\Local Settings\\Temp\\";
}

}  // namespace

DWORD WINAPI GetTempPathA(DWORD nBufferLength, LPSTR lpBuffer) {
  std::string dir = UserTempDir(M().Config());
  // The profile holds the folder; a machine gets it when a program first asks for it.
  ResolvedPath p;
  if (ResolvePath(dir, p) == 0 && !p.exists) {
    std::error_code ec;
    std::filesystem::create_directories(p.host, ec);
    ForgetListings();
  }
  SetError(0);
  return CopyOrNeeded(dir, lpBuffer, nBufferLength);
}
