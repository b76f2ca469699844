// Running a program's WinMain on the current machine.
#pragma once

namespace winemu {

using WinMainEntry = int (*)(void* instance, void* previous, char* commandLine, int show);

// Starts the trace log, runs the entry, and returns the process exit code: WinMain's result, or a
// non-zero code when the run's script reports a failure.
int RunProgram(WinMainEntry entry);

// Hooks that run when the program's WinMain has returned; a non-zero result becomes the exit code.
using ExitCheck = int (*)();
void AddExitCheck(ExitCheck check);

}  // namespace winemu
