// The process entry of a program built against winemu: runs its WinMain on the machine named by
// WINEMU_MACHINE, with the
// arguments it was started with.
#include <windows.h>

#include <string>
#include <vector>

#include "machine/program.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

namespace {
int CallWinMain(void*, void*, char* commandLine, int show) {
  return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, show);
}
}  // namespace

int main(int argc, char** argv) {
  winemu::SetProgramArguments(std::vector<std::string>(argv + 1, argv + argc));
  return winemu::RunProgram(&CallWinMain);
}
