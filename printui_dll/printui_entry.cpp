// printui.dll: the entry points rundll32 calls ("rundll32 printui.dll,PrintUIEntry ARGUMENTS" finds
// PrintUIEntryW on NT, PrintUIEntryA elsewhere). The arguments are taken in the ANSI code page; a
// refusal is shown in a message box naming the INF line or the file, as the system's utility
// shows its errors.
#include <windows.h>

#include <string>

#include "printui/print_ui.h"

namespace {

class BoxNotes : public printui::Notes {
 public:
  void Note(const char* kind, const std::string& line) override {
    if (std::string(kind) == "printui.error")
      MessageBoxA(nullptr, line.c_str(), "Printer setup", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  }
};

void Run(const std::string& arguments) {
  char directory[MAX_PATH] = {0};
  DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
  if (length == 0 || length >= sizeof directory) directory[0] = '\0';
  BoxNotes notes;
  printui::PrintUIEntry(arguments, directory, notes);
}

}  // namespace

extern "C" void CALLBACK PrintUIEntryA(HWND, HINSTANCE, LPSTR commandLine, int) {
  Run(commandLine ? commandLine : "");
}

extern "C" void CALLBACK PrintUIEntryW(HWND, HINSTANCE, LPWSTR commandLine, int) {
  std::string arguments;
  if (commandLine) {
    int size = WideCharToMultiByte(CP_ACP, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    if (size > 0) {
      arguments.resize(static_cast<size_t>(size));
      WideCharToMultiByte(CP_ACP, 0, commandLine, -1, arguments.data(), size, nullptr, nullptr);
      arguments.resize(static_cast<size_t>(size - 1));
    }
  }
  Run(arguments);
}
