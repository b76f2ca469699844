// The emulated Windows machine: a directory holding machine.ini, drive_c/, registry/ and trace.log,
// plus the run-time state of one process on it (virtual clock, trace, last error, subsystem state).
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "config.h"

namespace winemu {

struct TraceEntry {
  std::uint64_t timeMs;
  std::string kind;
  std::string detail;
  std::string Line() const;  // "<time> <kind> <detail>"
};

class Machine {
 public:
  // Opens an existing machine directory; throws MachineError when it is not one.
  static std::unique_ptr<Machine> Open(const std::filesystem::path& dir);

  // The machine this process runs on: the one installed with Use(), else the directory named by
  // WINEMU_MACHINE, else a fresh default machine in a temporary directory. A machine that cannot
  // be opened ends the process with one line on stderr and exit code 70.
  static Machine& Current();
  // Makes `machine` the current one (tests); returns the previous one.
  static std::unique_ptr<Machine> Use(std::unique_ptr<Machine> machine);
  // How Current() makes a default machine in a new directory; installed by the layer that seeds
  // new machines (seed/).
  using Creator = void (*)(const std::filesystem::path& dir);
  static void SetCreator(Creator creator);
  // Called after every trace entry (not for entries it makes itself); installed by the layer that
  // acts on the trace's length (kernel32's user_writer fault).
  using TraceHook = void (*)(Machine& machine);
  static void SetTraceHook(TraceHook hook);

  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path DriveC() const { return root_ / "drive_c"; }
  MachineConfig& Config() { return config_; }
  const MachineConfig& Config() const { return config_; }

  // Virtual clock in milliseconds since the process started.
  std::uint64_t Now() const { return now_; }
  void Advance(std::uint64_t ms);
  // Called after every advance of the clock (subsystems whose objects act at a time of their own).
  void OnAdvance(std::function<void()> listener) { advanceListeners_.push_back(std::move(listener)); }
  // Called once the program has ended; what it started runs on without it.
  void OnProgramExit(std::function<void()> listener) { exitListeners_.push_back(std::move(listener)); }
  void ProgramExited();
  // Called before a path is mapped to the host, so that what the host holds is what the program
  // wrote (open files keep small writes until then).
  void OnHostAccess(std::function<void()> listener) { hostAccessListeners_.push_back(std::move(listener)); }
  void HostAccess();

  // Appends one effect to the trace (in memory and, once the log is started, to trace.log).
  void Trace(std::string_view kind, std::string_view detail);
  const std::vector<TraceEntry>& TraceEntries() const { return trace_; }
  // Truncates trace.log and mirrors every later entry into it, buffered: written when the
  // machine goes or FlushTraceLog is called.
  void StartTraceLog();
  void FlushTraceLog();
  void ClearTrace() { trace_.clear(); }
  // Counts one traced effect; with the fault terminate_after=N the Nth ends the process as
  // TerminateProcess would (see Terminate).
  void NoteEffect();
  // Ends the process at once with exit code 1, as TerminateProcess or an end of the task does:
  // what it wrote stays (data its open files still keep reaches the disk, as the system's cache
  // keeps it), what it started runs on, nothing of its own clean-up runs.
  [[noreturn]] void Terminate();

  std::uint32_t lastError = 0;
  // Counts the changes made to drive C: (files made, removed or written, and host changes told
  // through ForgetListings), so that what was read from it can be known to be current.
  std::uint64_t driveChanges = 0;
  std::string currentDirectory;  // full Windows path

  // Per-process state of a subsystem, made on first use and destroyed with the machine, the
  // latest made first (a state's destructor may still use the states made before it).
  template <class T>
  T& State() {
    auto it = state_.find(std::type_index(typeid(T)));
    if (it != state_.end()) return *static_cast<T*>(it->second.get());
    std::shared_ptr<void> made(new T(*this), [](void* p) { delete static_cast<T*>(p); });
    state_.emplace(std::type_index(typeid(T)), made);
    stateOrder_.push_back(std::type_index(typeid(T)));
    return *static_cast<T*>(made.get());
  }

 private:
  Machine(std::filesystem::path root, MachineConfig config, bool temporary);
  static std::unique_ptr<Machine> OpenForProcess();
  std::filesystem::path root_;
  MachineConfig config_;
  bool temporary_;
  std::uint64_t now_ = 0;
  std::uint64_t effects_ = 0;
  bool terminating_ = false;
  std::vector<TraceEntry> trace_;
  bool inTraceHook_ = false;
  std::unique_ptr<std::ofstream> log_;  // trace.log once started
  std::unordered_map<std::type_index, std::shared_ptr<void>> state_;
  std::vector<std::type_index> stateOrder_;  // in the order made
  std::vector<std::function<void()>> advanceListeners_;
  std::vector<std::function<void()>> exitListeners_;
  std::vector<std::function<void()>> hostAccessListeners_;
};

// Shorthands for the current machine.
inline Machine& M() { return Machine::Current(); }
inline void Trace(std::string_view kind, std::string_view detail) { Machine::Current().Trace(kind, detail); }

}  // namespace winemu

namespace winemu {

// Traces an effect with its outcome: "<detail> -> ok" or "<detail> -> error N".
void TraceResult(std::string_view kind, std::string_view detail, std::uint32_t error);
// Sets the last error and returns it (for "return Fail(...)" style failure paths).
std::uint32_t SetError(std::uint32_t error);

}  // namespace winemu
