// Emulated processes: the programs winemu runs inside the machine instead of executing them. Each
// has a start and (unless it never ends) an end on the virtual clock; its work is done when the
// clock reaches the end: when a wait gets there, or at the next process call after the clock has
// passed it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "machine/machine.h"

namespace winemu {

// What a started program does.
struct EmulatedProgram {
  std::function<void()> begin;              // at the start, after the process exists
  std::optional<std::uint64_t> durationMs;  // empty: the program never ends
  std::function<std::uint32_t()> end;       // its work at the end; returns the exit code
};

struct EmulatedProcess {
  std::uint32_t id = 0;
  std::optional<std::uint64_t> endMs;
  std::function<std::uint32_t()> work;
  bool ended = false;
  std::uint32_t exitCode = 259;  // STILL_ACTIVE until it ends
};

class ProcessTable {
 public:
  // Processes end as soon as the clock reaches their end, however it gets there.
  // Processes the program leaves running when it ends (a command fired and forgotten) run to their
  // end after it.
  explicit ProcessTable(Machine& machine) : machine_(machine) {
    machine.OnAdvance([this] { Settle(); });
    machine.OnProgramExit([this] { RunToEnd(); });
  }
  std::shared_ptr<EmulatedProcess> Start(EmulatedProgram program);
  // Ends every process whose end time has come, earliest first; the caller's last error is kept.
  void Settle();
  // Lets the clock run until every process that ends has ended.
  void RunToEnd();

 private:
  Machine& machine_;
  std::vector<std::shared_ptr<EmulatedProcess>> processes_;
  std::uint32_t nextId_ = 1000;
  bool settling_ = false;
};

inline ProcessTable& Processes() { return M().State<ProcessTable>(); }

// A command line that runs a DLL entry point through rundll32: "rundll32[.exe] dll,entry args".
struct Rundll32Call {
  std::string dll;        // as written, e.g. "printui.dll"
  std::string entry;      // e.g. "PrintUIEntry"
  std::string arguments;  // the rest of the line after the blanks that follow "dll,entry"
};

// The program a command line names is its first blank-delimited token, or the text in quotes when
// it starts with one. nullopt unless that program is rundll32 (any case, with or without ".exe",
// bare or in the system directory `systemDir`) followed by a "dll,entry" token.
std::optional<Rundll32Call> ParseRundll32(std::string_view commandLine, std::string_view systemDir);

// An emulated program run through rundll32: what it does with the arguments; nullopt when it cannot
// be started.
using Rundll32Program =
    std::function<std::optional<EmulatedProgram>(std::string_view arguments, const std::string& currentDirectory)>;

// Adds to the programs CreateProcessA and WinExec can start the one that rundll32 runs for `dll`
// (its base name, in the system directory or bare) and `entry` (matched exactly). Each emulated
// program registers itself from its own layer.
void RegisterRundll32Program(std::string dll, std::string entry, Rundll32Program start);

}  // namespace winemu
