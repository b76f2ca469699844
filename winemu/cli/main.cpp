// winemu: makes emulated Windows machines, runs programs on them and shows what they did.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "command.h"

namespace winemu::cli {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "winemu: %s\n", message.c_str());
  return 2;
}

}  // namespace winemu::cli

int main(int argc, char** argv) {
  using namespace winemu::cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "help") {
    std::printf("usage: winemu COMMAND ARGS...\n");
    for (const Command& c : Commands()) std::printf("  winemu %s %s\n", c.name, c.usage);
    return args.empty() ? 2 : 0;
  }
  for (const Command& c : Commands()) {
    if (args[0] != c.name) continue;
    try {
      return c.run(std::vector<std::string>(args.begin() + 1, args.end()));
    } catch (const std::exception& e) {
      std::fprintf(stderr, "winemu: %s\n", e.what());
      return 1;
    }
  }
  return UsageError("unknown command '" + args[0] + "' (try winemu --help)");
}
