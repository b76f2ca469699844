#include "machine.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ini.h"
#include "numbers.h"

namespace winemu {
namespace {

std::unique_ptr<Machine>& CurrentSlot() {
  static std::unique_ptr<Machine> current;
  return current;
}

Machine::Creator& CreatorSlot() {
  static Machine::Creator creator = nullptr;
  return creator;
}

void CreateDefault(const std::filesystem::path& dir) {
  if (!CreatorSlot()) throw MachineError("no way to make a new machine in " + dir.string());
  CreatorSlot()(dir);
}

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

std::string TraceEntry::Line() const { return std::to_string(timeMs) + " " + kind + " " + detail; }

Machine::Machine(std::filesystem::path root, MachineConfig config, bool temporary)
    : root_(std::move(root)), config_(std::move(config)), temporary_(temporary) {
  currentDirectory = config_.program.substr(0, config_.program.rfind('\\'));
}

Machine::~Machine() {
  advanceListeners_.clear();
  exitListeners_.clear();
  hostAccessListeners_.clear();
  // One state at a time, the latest first; a destructor that uses a state already gone makes it
  // again, and that one is destroyed in turn.
  while (!stateOrder_.empty()) {
    std::type_index type = stateOrder_.back();
    stateOrder_.pop_back();
    auto it = state_.find(type);
    if (it == state_.end()) continue;
    std::shared_ptr<void> state = std::move(it->second);
    state_.erase(it);
    state.reset();
  }
  if (temporary_) {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
}

void Machine::ProgramExited() {
  for (const auto& listener : exitListeners_) listener();
}

void Machine::NoteEffect() {
  if (terminating_) return;
  std::optional<std::string> after = config_.FaultValue("terminate_after");
  std::optional<std::uint64_t> n = after ? ParseNumber(TrimBlanks(*after), UINT64_MAX) : std::nullopt;
  if (n && ++effects_ >= *n) Terminate();
}

void Machine::Terminate() {
  terminating_ = true;
  Trace("process.terminate", "after effect " + std::to_string(effects_));
  HostAccess();
  ProgramExited();
  FlushTraceLog();
  std::fflush(stdout);
  std::_Exit(1);
}

void Machine::HostAccess() {
  for (const auto& listener : hostAccessListeners_) listener();
}

void Machine::Advance(std::uint64_t ms) {
  now_ += ms;
  for (const auto& listener : advanceListeners_) listener();
}

std::unique_ptr<Machine> Machine::Open(const std::filesystem::path& dir) {
  std::filesystem::path ini = dir / "machine.ini";
  if (!std::filesystem::is_regular_file(ini)) throw MachineError("not a machine directory (no machine.ini): " + dir.string());
  return std::unique_ptr<Machine>(
      new Machine(std::filesystem::absolute(dir), MachineConfig::Parse(ReadAll(ini), ini.string()), false));
}

Machine& Machine::Current() {
  auto& slot = CurrentSlot();
  if (!slot) {
    try {
      slot = OpenForProcess();
    } catch (const MachineError& e) {
      // A process cannot run without its machine; this may be before main (static initialisers).
      std::fprintf(stderr, "winemu: %s\n", e.what());
      std::fflush(stderr);
      std::_Exit(70);
    }
  }
  return *slot;
}

std::unique_ptr<Machine> Machine::OpenForProcess() {
  if (const char* dir = std::getenv("WINEMU_MACHINE"); dir && *dir) {
    if (!std::filesystem::exists(std::filesystem::path(dir) / "machine.ini")) CreateDefault(dir);
    return Open(dir);
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "winemu-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw MachineError("cannot make a temporary machine directory");
  CreateDefault(pattern);
  auto m = Open(pattern);
  m->temporary_ = true;
  return m;
}

void Machine::SetCreator(Creator creator) { CreatorSlot() = creator; }

namespace {
Machine::TraceHook g_traceHook = nullptr;
}

void Machine::SetTraceHook(TraceHook hook) { g_traceHook = hook; }

std::unique_ptr<Machine> Machine::Use(std::unique_ptr<Machine> machine) {
  auto previous = std::move(CurrentSlot());
  CurrentSlot() = std::move(machine);
  return previous;
}

void Machine::StartTraceLog() {
  log_ = std::make_unique<std::ofstream>(root_ / "trace.log", std::ios::binary | std::ios::trunc);
  for (const TraceEntry& e : trace_) *log_ << e.Line() << "\n";
}

void Machine::FlushTraceLog() {
  if (log_) log_->flush();
}

void Machine::Trace(std::string_view kind, std::string_view detail) {
  trace_.push_back({now_, std::string(kind), std::string(detail)});
  if (log_) *log_ << trace_.back().Line() << "\n";
  if (!g_traceHook || inTraceHook_) return;
  inTraceHook_ = true;
  g_traceHook(*this);
  inTraceHook_ = false;
}

}  // namespace winemu

namespace winemu {

void TraceResult(std::string_view kind, std::string_view detail, std::uint32_t error) {
  std::string d(detail);
  d += error == 0 ? " -> ok" : " -> error " + std::to_string(error);
  Trace(kind, d);
  M().NoteEffect();
}

std::uint32_t SetError(std::uint32_t error) {
  M().lastError = error;
  return error;
}

}  // namespace winemu
