// The printer setup utility's command line: split into arguments as Windows programs split theirs,
// then read as the utility's options.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace printui {

// Splits by the rules of the C runtime: blanks separate arguments outside quotes; 2n backslashes
// before a quote give n backslashes and the quote opens or closes quoting, 2n+1 give n backslashes
// and a literal quote; other backslashes are literal; "" inside quotes is a literal quote. An
// unclosed quote runs to the end.
std::vector<std::string> SplitArguments(std::string_view text);

enum class Action { InstallFromInf, SetDefault };

struct Command {
  Action action = Action::InstallFromInf;
  std::string infPath;   // /f
  std::string port;      // /r
  std::string baseName;  // /b, the model name when not given
  std::string model;     // /m
  std::string printer;   // /n
};

struct CommandParseResult {
  std::optional<Command> command;
  std::string error;  // why the arguments were refused
};

// Options: /if (install a printer from an INF file: needs /f, /r and /m, takes /b) and /y (make /n
// the default printer); /f /r /b /m /n take the next argument as their value. Options are case
// sensitive; an unknown option, a stray argument, a missing value, no action or two actions are
// refused.
CommandParseResult ParseCommand(const std::vector<std::string>& args);

}  // namespace printui
