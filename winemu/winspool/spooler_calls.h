// What the spooler functions share: the answer of a spooler that is not running, and the traced
// result that also sets the thread's last error.
#pragma once

#include <string>

#include "../include/windows.h"

namespace winemu::spooler {

// RPC_S_SERVER_UNAVAILABLE while the Spooler service is not running, else 0.
DWORD CallError();
// Traces "`kind` `detail` -> ok|error N", sets the last error and returns whether `err` is 0.
BOOL CallResult(const char* kind, const std::string& detail, DWORD err);
// An ANSI name as the trace shows it (UTF-8); "(server)" for the empty name of the print server.
std::string Shown(const std::string& ansiName);

}  // namespace winemu::spooler
