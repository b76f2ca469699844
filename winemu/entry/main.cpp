// The process entry of a program built against winemu: runs its WinMain on the machine named by
// WINEMU_MACHINE.
#include <windows.h>

#include "machine/program.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

namespace {
int CallWinMain(void*, void*, char* commandLine, int show) {
  return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, show);
}
}  // namespace

int main() { return winemu::RunProgram(&CallWinMain); }
