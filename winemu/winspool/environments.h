// The spooler's environments: the names NT knows (compared without case), an empty or absent name
// standing for the caller's own, and the driver directory of each.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace winemu::spooler {

// The environment a caller names: its own ("Windows NT x86") for NULL or "".
std::string CallerEnvironment(const char* environment);

// The driver directory of a known environment (C:\WINDOWS\System32\spool\DRIVERS\W32X86 for
// "Windows NT x86", ...\WIN40 for "Windows 4.0"); nullopt for a name NT does not know.
std::optional<std::string> EnvironmentDirectory(std::string_view environment);

// EnumPrinterDriversA's "all": the drivers of every environment.
bool IsAllEnvironments(std::string_view environment);

}  // namespace winemu::spooler
