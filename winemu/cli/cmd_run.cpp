// winemu run DIR PROGRAM [ARGS...] [--create] [--script FILE|- [--screens] | --terminal [--real-time]]: runs a
// Linux build of a program on a machine, driven by a script (checked here before the run when it is
// a file; --screens prints each view as drawn) or at the terminal (--real-time: timers at the real
// pace), closing with what the run ended with. The machine (machine.ini and the registry files) is
// checked before the program starts. ARGS become the program's command line after its quoted path
// (an argument starting with "-" goes after "--");
// a missing machine directory is an error unless --create asks for a default machine.
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

int Run(const SplitArgs& args) {
  const std::vector<std::string>& positional = args.positional;
  std::string script = args.Value("--script");
  bool terminal = args.Has("--terminal");
  bool screens = args.Has("--screens");
  bool realTime = args.Has("--real-time");
  bool create = args.Has("--create");
  if (args.Has("--script") && script.empty()) return UsageError("run: --script needs a file name or -");
  if (positional.size() < 2) return UsageError("run: needs a machine directory and a program");
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
    return MachineFailure("run: " + std::string(e.what()));
  }
  ::setenv("WINEMU_MACHINE", std::filesystem::absolute(dir).c_str(), 1);
  if (!script.empty()) ::setenv("WINEMU_SCRIPT", script == "-" ? "-" : std::filesystem::absolute(script).c_str(), 1);
  else ::unsetenv("WINEMU_SCRIPT");
  for (auto [name, on] : {std::pair{"WINEMU_TERMINAL", terminal}, {"WINEMU_SCREENS", screens}, {"WINEMU_REAL_TIME", realTime}}) {
    if (on) ::setenv(name, "1", 1);
    else ::unsetenv(name);
  }
  std::filesystem::remove(dir / "trace.log");
  // The program takes this process's place and prints the closing line itself when it ends.
  ::setenv("WINEMU_CLOSING_LINE", "1", 1);
  std::fflush(stdout);
  // The program's own arguments follow it; they make its command line.
  std::vector<char*> argv{program.data()};
  for (size_t i = 2; i < positional.size(); ++i) argv.push_back(const_cast<char*>(positional[i].c_str()));
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  std::perror("winemu: run: exec");
  return 127;
}

Registration reg({"run", "DIR PROGRAM [ARGS...]",
                  "Runs a Linux build of a program on the machine in DIR with ARGS on its command line (after --: "
                  "arguments starting with -), driven by a script or at the terminal; the "
                  "closing line tells what the run ended with (the last message box's text, cancelled, or a silent "
                  "end). Exits with the program's own exit code.",
                  {{"--create", nullptr, "make DIR as a default machine when it is missing"},
                   {"--script", "FILE|-", "the actions to take, from FILE or standard input"},
                   {"--screens", nullptr, "with --script: print each view of the program as drawn"},
                   {"--terminal", nullptr, "walk the program at the terminal"},
                   {"--real-time", nullptr, "with --terminal: timers fire at the real pace"}},
                  &Run});

}  // namespace
}  // namespace winemu::cli
