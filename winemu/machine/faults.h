// The faults a machine can inject ([Faults] in machine.ini, --fault of winemu create): every name
// and the values each one allows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace winemu {

// Why NAME=VALUE is not a fault this machine knows ("unknown fault 'disk_ful' (known: ...)",
// "disk_full: 'lots' is not ..."); none when it is one. Names are compared without case.
std::optional<std::string> FaultProblem(std::string_view name, std::string_view value);

// user_writer=N:PATH: after the trace's Nth entry the machine's standard user tries to replace PATH.
struct UserWriter {
  std::uint64_t afterEntry;
  std::string path;
};
std::optional<UserWriter> ParseUserWriter(std::string_view value);

// Every fault name, comma-separated, for messages.
std::string FaultNames();

}  // namespace winemu
