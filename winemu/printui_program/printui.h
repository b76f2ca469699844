// The printer setup utility (printui.dll's PrintUIEntry, started through rundll32) as an emulated
// program: the utility's own code (printui/print_ui.h), run on the machine when its process ends.
//
// Trace: "printui.start <arguments>" when started; then the utility's notes as trace lines
// ("printui.install ...", "printui.setdefault "NAME"", "printui.error <why>") among the effects of
// the calls it makes. Faults (machine.ini [Faults]): printui_missing (cannot be started),
// printui_hangs (never ends), printui_noop (ends without doing anything), printui_duration=MS
// (default 3000).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "kernel32/process.h"

namespace winemu::printui {

constexpr std::uint64_t kDefaultDurationMs = 3000;

// Does what the arguments ask, now; returns the exit code (0, or the Windows error it ended with).
// Relative paths are taken from `currentDirectory`.
std::uint32_t PrintUIEntry(std::string_view arguments, const std::string& currentDirectory);

// The utility as an emulated program with the machine's faults; nullopt when it cannot be started.
std::optional<EmulatedProgram> Program(std::string_view arguments, const std::string& currentDirectory);

}  // namespace winemu::printui
