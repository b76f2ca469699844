// The process entry of an uninstaller built against winemu. The system's list of installed
// software starts the program that an uninstall entry names, so the program runs as that file:
// its module file name is the entry's UninstallString. The machine must hold exactly one entry
// under HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall whose program file exists.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "advapi32/registry.h"
#include "machine/machine.h"
#include "machine/paths.h"
#include "machine/program.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

namespace {

constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

int CallWinMain(void*, void*, char* commandLine, int show) {
  return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, show);
}

// The program file of an UninstallString: the quoted part, or the whole text.
std::string ProgramOf(const std::string& command) {
  if (command.empty() || command[0] != '"') return command;
  size_t close = command.find('"', 1);
  return command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

// The programs named by uninstall entries that exist on the machine.
std::vector<std::string> InstalledUninstallers() {
  std::vector<std::string> programs;
  winemu::reg::Registry& registry = winemu::reg::MachineRegistry();
  std::vector<std::string> path = *winemu::reg::SplitKeyPath(kUninstallKey);
  winemu::reg::Key* entries = registry.Find(winemu::reg::Root::LocalMachine, path);
  if (!entries) return programs;
  for (const winemu::reg::Key* entry : entries->Children()) {
    const winemu::reg::Value* command = entry->FindValue("UninstallString");
    if (!command) continue;
    std::string program = ProgramOf(winemu::reg::TextOf(*command));
    winemu::ResolvedPath resolved;
    if (winemu::ResolvePath(program, resolved) == 0 && resolved.exists) programs.push_back(resolved.windows);
  }
  return programs;
}

}  // namespace

int main(int argc, char** argv) {
  winemu::SetProgramArguments(std::vector<std::string>(argv + 1, argv + argc));
  try {
    std::vector<std::string> programs = InstalledUninstallers();
    if (programs.size() != 1) {
      std::fprintf(stderr, "winemu: the machine has %zu uninstall entries naming an existing program, not one\n",
                   programs.size());
      return 70;
    }
    winemu::M().Config().program = programs.front();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "winemu: %s\n", e.what());
    return 70;
  }
  return winemu::RunProgram(&CallWinMain);
}
