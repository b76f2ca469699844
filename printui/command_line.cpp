#include "command_line.h"

#include <map>

namespace printui {

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> args;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (!quoted && (c == ' ' || c == '\t')) {
      if (inArgument) args.push_back(std::move(current));
      current.clear();
      inArgument = false;
      ++i;
      continue;
    }
    inArgument = true;
    if (c == '\\') {
      size_t run = 0;
      while (i < text.size() && text[i] == '\\') ++run, ++i;
      if (i < text.size() && text[i] == '"') {
        current.append(run / 2, '\\');
        if (run % 2 == 1) {
          current += '"';
          ++i;
        }
      } else {
        current.append(run, '\\');
      }
      continue;
    }
    if (c == '"') {
      if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
        current += '"';
        i += 2;
        continue;
      }
      quoted = !quoted;
      ++i;
      continue;
    }
    current += c;
    ++i;
  }
  if (inArgument) args.push_back(std::move(current));
  return args;
}

CommandParseResult ParseCommand(const std::vector<std::string>& args) {
  static const std::map<std::string, std::string Command::*> kValues = {
      {"/f", &Command::infPath}, {"/r", &Command::port}, {"/b", &Command::baseName},
      {"/m", &Command::model},   {"/n", &Command::printer},
  };
  auto refuse = [](std::string why) { return CommandParseResult{std::nullopt, std::move(why)}; };
  Command command;
  std::optional<Action> action;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "/if" || a == "/y") {
      Action given = a == "/if" ? Action::InstallFromInf : Action::SetDefault;
      if (action && *action != given) return refuse("more than one action (/if and /y)");
      action = given;
    } else if (auto v = kValues.find(a); v != kValues.end()) {
      if (i + 1 >= args.size()) return refuse("option " + a + " needs a value");
      command.*(v->second) = args[++i];
    } else if (!a.empty() && a[0] == '/') {
      return refuse("unknown option " + a);
    } else {
      return refuse("unexpected argument \"" + a + "\"");
    }
  }
  if (!action) return refuse("no action (/if or /y)");
  command.action = *action;
  if (command.action == Action::InstallFromInf) {
    if (command.infPath.empty()) return refuse("/if needs the INF file (/f)");
    if (command.port.empty()) return refuse("/if needs the port (/r)");
    if (command.model.empty()) return refuse("/if needs the driver model (/m)");
    if (command.baseName.empty()) command.baseName = command.model;
  } else if (command.printer.empty()) {
    return refuse("/y needs the printer name (/n)");
  }
  return CommandParseResult{command, ""};
}

}  // namespace printui
