// Running a program's WinMain on the current machine.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace winemu {

// A run that cannot go on for a reason of the run itself (a script action fails, nothing drives
// the program); RunProgram ends it with kExitRunFailed, where any other error is a machine error.
class RunError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using WinMainEntry = int (*)(void* instance, void* previous, char* commandLine, int show);

// The arguments the program is started with (none unless set). The command line is built from them
// as Windows builds it: the program's path in quotes, then each argument after one blank, quoted
// where it holds a blank or a quotation mark (the C runtime's rules, so that its parser gives them back).
void SetProgramArguments(std::vector<std::string> arguments);
// The whole command line (GetCommandLineA), for the program the machine runs; stable until the
// arguments change.
const char* ProgramCommandLine();

// Starts the trace log, runs the entry with the command line after the program's path, and returns the process exit code: WinMain's result, or
// one of exit_codes.h when the run fails or the machine cannot be used.
int RunProgram(WinMainEntry entry);

// Hooks that run when the program's WinMain has returned; a non-zero result becomes the exit code.
using ExitCheck = int (*)();
void AddExitCheck(ExitCheck check);

// What runs as soon as the program's WinMain has returned or the run has failed, before anything
// is reported (the terminal driver gives the terminal back); installed by the layer that drives
// programs.
using RunEnd = void (*)();
void SetRunEnd(RunEnd end);

// What the run reports once its exit code is known ("winemu run"'s closing line); installed by the
// layer that drives programs.
using ExitReport = void (*)(int exitCode);
void SetExitReport(ExitReport report);

}  // namespace winemu
