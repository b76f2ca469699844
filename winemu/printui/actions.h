// The utility's two actions on the machine: /if (install driver and printer from an INF file) and
// /y (make a printer the default). Each returns 0 or the Windows error it ends with.
#pragma once

#include <cstdint>
#include <string>

#include "command_line.h"

namespace winemu::printui {

// Copies the model's files into the driver directory's 3 subdirectory, applies AddReg, registers
// the driver and the printer (named after /b, "(Copy N)" added when taken) on the port and keeps
// the INF as the next free oemN.inf of the Windows inf folder with its oemN.pnf. Nothing changes
// when the spooler is stopped, the INF is bad, the model unknown or a file missing.
std::uint32_t InstallFromInf(const Command& command, const std::string& currentDirectory);

// Makes the printer named /n (any case) the default printer, when it exists.
std::uint32_t SetDefault(const Command& command);

// Traces "printui.error <why>" and returns `code`.
std::uint32_t Refuse(std::uint32_t code, const std::string& why);

}  // namespace winemu::printui
