// winemu: makes emulated Windows machines, runs programs on them and shows what they did.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "machine/printable.h"
#include "command.h"

namespace winemu::cli {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "winemu: %s\n", message.c_str());
  return kExitUsage;
}

int MachineFailure(const std::string& message) {
  std::fprintf(stderr, "winemu: %s\n", message.c_str());
  return kExitMachine;
}

namespace {

// The command named by the first one or two words of `args`; `words` tells how many it took.
const Command* Find(const std::vector<std::string>& args, size_t& words) {
  const Command* found = nullptr;
  for (const Command& c : Commands()) {
    std::string name = args.empty() ? "" : args[0];
    size_t n = 1;
    if (std::string(c.name).find(' ') != std::string::npos) {
      if (args.size() < 2) continue;
      name += " " + args[1];
      n = 2;
    }
    if (name == c.name && (!found || n > words)) {
      found = &c;
      words = n;
    }
  }
  return found;
}

void PrintCommandHelp(const Command& c) {
  std::printf("usage: winemu %s %s%s\n%s\n", c.name, c.arguments, c.options.empty() ? "" : " [OPTIONS]", c.summary);
  std::printf("options:\n");
  auto line = [](const std::string& left, const char* help) { std::printf("  %-28s %s\n", left.c_str(), help); };
  for (const OptionDef& o : c.options) line(std::string(o.name) + (o.value ? std::string(" ") + o.value : ""), o.help);
  line("-h, --help", "this help");
}

void PrintOverview() {
  std::printf("usage: winemu COMMAND ARGS...  (winemu help COMMAND, or COMMAND --help, for its options)\n");
  for (const Command& c : Commands()) std::printf("  winemu %s %s\n", c.name, c.arguments);
  std::printf("options take their value as --name VALUE or --name=VALUE\n"
              "exit codes: 0 done (a run: the program's own exit code), %d the program run failed, "
              "%d usage error, %d machine error\n",
              kExitRunFailed, kExitUsage, kExitMachine);
}

int Help(const std::vector<std::string>& topic) {
  if (topic.empty()) {
    PrintOverview();
    return 0;
  }
  if (topic.size() == 1 && topic[0] == "help") {
    std::printf("usage: winemu help [COMMAND]\nPrints the commands, or a command's usage and options (as COMMAND -h or "
                "COMMAND --help does).\n");
    return 0;
  }
  size_t words = 0;
  const Command* c = Find(topic, words);
  if (!c || words != topic.size()) return UsageError("help: no command '" + Printable(topic[0]) + "' (winemu help lists them)");
  PrintCommandHelp(*c);
  return 0;
}

}  // namespace
}  // namespace winemu::cli

int main(int argc, char** argv) {
  using namespace winemu::cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintOverview();
    return winemu::kExitUsage;
  }
  if (args[0] == "help" || args[0] == "--help" || args[0] == "-h")
    return Help(std::vector<std::string>(args.begin() + 1, args.end()));
  size_t words = 0;
  const Command* c = Find(args, words);
  if (!c) return UsageError("unknown command '" + winemu::Printable(args[0]) + "' (try winemu help)");
  SplitArgs split = Split(std::vector<std::string>(args.begin() + static_cast<long>(words), args.end()), c->options);
  if (split.help) {
    PrintCommandHelp(*c);
    return 0;
  }
  if (!split.error.empty()) return UsageError(std::string(c->name) + ": " + split.error);
  try {
    return c->run(split);
  } catch (const std::exception& e) {
    return MachineFailure(e.what());
  }
}
