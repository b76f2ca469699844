// The text-mode line reader under the model-name rewriting: any bytes as the source file on a
// winemu machine. Every line written ends with LF and holds no NUL or Ctrl-Z, and a line that
// names a rewritten key is written as that key's replacement.
#include <windows.h>

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "payload/LineReplacement.h"
#include "shared/SetupApp.h"
#include "winemu/machine/machine.h"
#include "winemu/seed/create.h"

namespace {

LineReplacement table[kReplacementTableSize];
std::filesystem::path machineDir;

void RemoveMachine() {
  winemu::Machine::Use(nullptr).reset();
  std::filesystem::remove_all(machineDir);
}

void WriteSource(const std::uint8_t* data, std::size_t size) {
  HANDLE h = CreateFileA("C:\\TEMP\\src.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (h == INVALID_HANDLE_VALUE || !WriteFile(h, data, static_cast<DWORD>(size), &written, nullptr)) __builtin_trap();
  CloseHandle(h);
}

std::string ReadTarget() {
  HANDLE h = CreateFileA("C:\\TEMP\\out.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) __builtin_trap();
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(h);
  return bytes;
}

bool IsReplacement(std::string_view line) {
  for (int i = 0; i < kModelNameReplacements; ++i)
    if (line == table[i].replacement) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  machineDir = std::filesystem::temp_directory_path() / ("fuzz-rewrite-" + std::to_string(::getpid()));
  std::filesystem::remove_all(machineDir);
  winemu::CreateMachine(machineDir, winemu::CreateOptions{});
  winemu::Machine::Use(winemu::Machine::Open(machineDir));
  std::atexit(RemoveMachine);
  CreateDirectoryA("C:\\TEMP", nullptr);
  if (!FillModelNameTable(table, "K7X")) __builtin_trap();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  winemu::M().ClearTrace();
  WriteSource(data, size);
  CSetupApp::RewriteLines("C:\\TEMP\\src.txt", "C:\\TEMP\\out.txt", table, kModelNameReplacements);
  std::string out = ReadTarget();
  if (!out.empty() && out.back() != '\n') __builtin_trap();
  for (std::size_t start = 0; start < out.size();) {
    std::size_t end = out.find('\n', start);
    std::string_view line(out.data() + start, end - start);
    if (line.find('\0') != std::string_view::npos || line.find('\x1A') != std::string_view::npos) __builtin_trap();
    for (int i = 0; i < kModelNameReplacements; ++i)
      if (line.find(table[i].match) != std::string_view::npos && !IsReplacement(line)) __builtin_trap();
    start = end + 1;
  }
  return 0;
}
