#include "shared/CommandLine.h"

#include <cctype>
#include <vector>

namespace {

struct SwitchName {
  const char* name;
  CommandSwitch which;
  bool takesValue;
};

constexpr SwitchName kSwitchNames[] = {
    {"quiet", kSwitchQuiet, false}, {"s", kSwitchQuiet, false},   {"passive", kSwitchPassive, false},
    {"name", kSwitchName, true},    {"lang", kSwitchLang, true},  {"log", kSwitchLog, true},
    {"?", kSwitchHelp, false},      {"help", kSwitchHelp, false},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The arguments after the program's path: a quoted path ends at the next quotation mark, another
// at the first blank; the arguments then split as the C runtime splits them (2n backslashes and a
// quotation mark: n backslashes and a quote toggle; 2n+1: n backslashes and a literal mark).
std::vector<std::string> SplitArguments(std::string_view line) {
  size_t i = 0;
  if (i < line.size() && line[i] == '"') {
    size_t close = line.find('"', 1);
    i = close == std::string_view::npos ? line.size() : close + 1;
  }
  while (i < line.size() && !IsBlank(line[i])) ++i;
  std::vector<std::string> arguments;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) return arguments;
    std::string argument;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == '\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2) argument += '"';
        else quoted = !quoted;
        ++i;
      } else if (backslashes) {
        argument.append(backslashes, '\\');
      } else {
        argument += line[i++];
      }
    }
    arguments.push_back(std::move(argument));
  }
}

// An argument as an error message shows it: control characters as "?", cut after 80 bytes.
std::string Shown(const std::string& argument) {
  std::string shown = "\"";
  for (size_t i = 0; i < argument.size() && i < 80; ++i)
    shown += static_cast<unsigned char>(argument[i]) < 0x20 ? '?' : argument[i];
  return shown + (argument.size() > 80 ? "...\"" : "\"");
}

bool SameNoCase(std::string_view a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
  return i == a.size() && !b[i];
}

// Applies one switch; the error, or "".
std::string Apply(const SwitchName& known, bool hasValue, const std::string& value, const std::string& argument,
                  CommandLineOptions& options) {
  if (known.takesValue && (!hasValue || value.empty())) return "The switch " + Shown(argument) + " needs a value.";
  if (!known.takesValue && hasValue) return "The switch " + Shown(argument) + " takes no value.";
  switch (known.which) {
    case kSwitchQuiet:
    case kSwitchPassive: {
      RunMode mode = known.which == kSwitchQuiet ? RunMode::Quiet : RunMode::Passive;
      if (options.mode != RunMode::Wizard && options.mode != mode)
        return "The switches /quiet and /passive exclude each other.";
      options.mode = mode;
      break;
    }
    case kSwitchName:
      options.hasName = true;
      options.name = value;
      break;
    case kSwitchLang:
      if (SameNoCase(value, "zh")) options.languageChoice = 0;
      else if (SameNoCase(value, "en")) options.languageChoice = 1;
      else return "The switch " + Shown(argument) + " takes en or zh.";
      break;
    case kSwitchLog:
      options.log = value;
      break;
    case kSwitchHelp:
      options.help = true;
      break;
  }
  return "";
}

}  // namespace

CommandLineResult ParseCommandLine(std::string_view commandLine, unsigned accepted) {
  CommandLineResult result;
  unsigned seen = 0;
  for (const std::string& argument : SplitArguments(commandLine)) {
    result.options.any = true;
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) {
      result.error = "Unknown argument " + Shown(argument) + ".";
      return result;
    }
    size_t separator = argument.find_first_of("=:", 1);
    std::string_view name = std::string_view(argument).substr(1, separator == std::string::npos ? std::string::npos
                                                                                                : separator - 1);
    const SwitchName* known = nullptr;
    for (const SwitchName& candidate : kSwitchNames)
      if ((accepted & candidate.which) && SameNoCase(name, candidate.name)) known = &candidate;
    if (!known) {
      result.error = "Unknown switch " + Shown(argument) + ".";
      return result;
    }
    // A value may be given once; a switch without one may be repeated (a tool adding /quiet to a
    // command that holds it already).
    if (known->takesValue && (seen & known->which)) {
      result.error = "The switch " + Shown(argument) + " is given twice.";
      return result;
    }
    seen |= known->which;
    bool hasValue = separator != std::string::npos;
    result.error = Apply(*known, hasValue, hasValue ? argument.substr(separator + 1) : "", argument, result.options);
    if (!result.error.empty()) return result;
  }
  return result;
}
