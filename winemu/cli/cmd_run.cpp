// winemu run DIR PROGRAM [--script FILE|-]: runs a Linux build of a program on a machine.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "../machine/create.h"
#include "command.h"

namespace winemu::cli {
namespace {

int Run(const std::vector<std::string>& args) {
  std::vector<std::string> positional;
  std::string script;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--script") {
      if (i + 1 >= args.size()) return UsageError("run: --script needs a file name or -");
      script = args[++i];
    } else if (!args[i].empty() && args[i][0] == '-') {
      return UsageError("run: unknown option '" + args[i] + "'");
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) return UsageError("run: needs a machine directory and a program");
  std::filesystem::path dir = positional[0];
  if (!std::filesystem::exists(dir / "machine.ini")) CreateMachine(dir, CreateOptions{});
  std::string program = positional[1];
  if (::access(program.c_str(), X_OK) != 0) return UsageError("run: cannot execute '" + program + "'");
  if (!script.empty() && script != "-" && !std::filesystem::is_regular_file(script))
    return UsageError("run: no script file '" + script + "'");
  ::setenv("WINEMU_MACHINE", std::filesystem::absolute(dir).c_str(), 1);
  if (!script.empty()) ::setenv("WINEMU_SCRIPT", script == "-" ? "-" : std::filesystem::absolute(script).c_str(), 1);
  else ::unsetenv("WINEMU_SCRIPT");
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

Registration reg({"run", "DIR PROGRAM [--script FILE|-]", &Run});

}  // namespace
}  // namespace winemu::cli
