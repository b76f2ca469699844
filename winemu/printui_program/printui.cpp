#include "printui_program/printui.h"

#include "kernel32/file_object.h"
#include "printui/print_ui.h"

namespace winemu::printui {
namespace {

// The utility's notes as trace lines, their ANSI text shown as UTF-8.
class TraceNotes : public ::printui::Notes {
 public:
  void Note(const char* kind, const std::string& line) override { Trace(kind, TracePath(line)); }
};

}  // namespace

std::uint32_t PrintUIEntry(std::string_view arguments, const std::string& currentDirectory) {
  TraceNotes notes;
  return ::printui::PrintUIEntry(arguments, currentDirectory, notes);
}

std::optional<EmulatedProgram> Program(std::string_view arguments, const std::string& currentDirectory) {
  const MachineConfig& config = M().Config();
  if (config.HasFault("printui_missing")) return std::nullopt;
  EmulatedProgram program;
  std::string args(arguments);
  program.begin = [args] { Trace("printui.start", TracePath(args)); };
  if (!config.HasFault("printui_hangs")) {
    long ms = config.FaultNumber("printui_duration", kDefaultDurationMs).value_or(kDefaultDurationMs);
    if (ms < 0) throw MachineError("machine.ini: printui_duration must not be negative");
    program.durationMs = static_cast<std::uint64_t>(ms);
  }
  bool noop = config.HasFault("printui_noop");
  program.end = [args, currentDirectory, noop] { return noop ? 0u : PrintUIEntry(args, currentDirectory); };
  return program;
}

namespace {
[[maybe_unused]] const bool kRegistered = (RegisterRundll32Program("printui", "PrintUIEntry", &Program), true);
}  // namespace

}  // namespace winemu::printui
