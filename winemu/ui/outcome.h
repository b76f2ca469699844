// What a run ended with, read from its trace log: the text of the last message box the program
// showed, its main dialog cancelled, or a silent end. "winemu run" closes with it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace winemu::ui {

// `ended with the message "Done!"`, `was cancelled` or `ended silently`; nullopt when the program
// did not end by itself (the log has no process.exit).
std::optional<std::string> RunOutcome(std::string_view traceLog);

}  // namespace winemu::ui
