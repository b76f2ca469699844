#include "environments.h"

#include "machine/ini.h"
#include "machine/machine.h"
#include "spooler_store.h"

namespace winemu::spooler {
namespace {

struct Environment {
  const char* name;
  const char* directory;
};

constexpr Environment kEnvironments[] = {
    {"Windows NT x86", "W32X86"}, {"Windows 4.0", "WIN40"}, {"Windows x64", "x64"}, {"Windows IA64", "IA64"}};

}  // namespace

std::string CallerEnvironment(const char* environment) {
  return environment && *environment ? environment : kEnvironment;
}

std::optional<std::string> EnvironmentDirectory(std::string_view environment) {
  for (const Environment& e : kEnvironments)
    if (EqualsNoCase(environment, e.name)) return M().Config().windowsDir + "\\System32\\spool\\DRIVERS\\" + e.directory;
  return std::nullopt;
}

bool IsAllEnvironments(std::string_view environment) { return EqualsNoCase(environment, "all"); }

}  // namespace winemu::spooler
