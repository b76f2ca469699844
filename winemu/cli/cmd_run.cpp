// winemu run DIR PROGRAM [--create] [--script FILE|- [--screens] | --terminal [--real-time]]: runs a
// Linux build of a program on a machine, driven by a script (checked here before the run when it is
// a file; --screens prints each view as drawn) or at the terminal (--real-time: timers at the real
// pace). The machine (machine.ini and the registry files) is checked before the program starts;
// a missing machine directory is an error unless --create asks for a default machine.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "advapi32/registry.h"
#include "machine/machine.h"
#include "machine/printable.h"
#include "seed/create.h"
#include "ui/script.h"
#include "command.h"

namespace winemu::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  std::string script;
  bool terminal = false;
  bool screens = false;
  bool realTime = false;
  bool create = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--script") {
      if (i + 1 >= args.size()) return UsageError("run: --script needs a file name or -");
      script = args[++i];
    } else if (args[i] == "--terminal") {
      terminal = true;
    } else if (args[i] == "--screens") {
      screens = true;
    } else if (args[i] == "--real-time") {
      realTime = true;
    } else if (args[i] == "--create") {
      create = true;
    } else if (!args[i].empty() && args[i][0] == '-') {
      return UsageError("run: unknown option '" + Printable(args[i]) + "'");
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) return UsageError("run: needs a machine directory and a program");
  std::filesystem::path dir = positional[0];
  std::string program = positional[1];
  if (::access(program.c_str(), X_OK) != 0) return UsageError("run: cannot execute '" + Printable(program) + "'");
  if (terminal && !script.empty()) return UsageError("run: --script and --terminal exclude each other");
  if (screens && script.empty()) return UsageError("run: --screens needs --script");
  if (realTime && !terminal) return UsageError("run: --real-time needs --terminal");
  if (!script.empty() && script != "-" && !std::filesystem::is_regular_file(script))
    return UsageError("run: no script file '" + Printable(script) + "'");
  if (!script.empty() && script != "-") {
    std::ifstream in(script, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ui::ScriptParseResult parsed = ui::ParseScript(bytes);
    if (!parsed.error.empty()) return UsageError("run: script " + Printable(script) + ": " + parsed.error);
  }
  if (!std::filesystem::exists(dir)) {
    if (!create) return UsageError("run: no machine directory '" + Printable(dir.string()) + "' (--create makes one)");
    CreateMachine(dir, CreateOptions{});
  }
  try {
    auto machine = Machine::Open(dir);
    reg::Registry registry(*machine);
  } catch (const MachineError& e) {
    return UsageError("run: " + std::string(e.what()));
  }
  ::setenv("WINEMU_MACHINE", std::filesystem::absolute(dir).c_str(), 1);
  if (!script.empty()) ::setenv("WINEMU_SCRIPT", script == "-" ? "-" : std::filesystem::absolute(script).c_str(), 1);
  else ::unsetenv("WINEMU_SCRIPT");
  for (auto [name, on] : {std::pair{"WINEMU_TERMINAL", terminal}, {"WINEMU_SCREENS", screens}, {"WINEMU_REAL_TIME", realTime}}) {
    if (on) ::setenv(name, "1", 1);
    else ::unsetenv(name);
  }
  std::fflush(stdout);
  pid_t pid = ::fork();
  if (pid < 0) return UsageError("run: cannot start a process");
  if (pid == 0) {
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    std::perror("winemu: run: exec");
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  std::fprintf(stderr, "winemu: run: the program ended by signal %d\n", WTERMSIG(status));
  return 128 + WTERMSIG(status);
}

Registration reg({"run", "DIR PROGRAM [--create] [--script FILE|- | --terminal]", &Run});

}  // namespace
}  // namespace winemu::cli
