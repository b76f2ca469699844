#include "services.h"

#include <windows.h>

#include "machine/ini.h"
#include "machine/machine.h"
#include "registry.h"

namespace winemu::svc {
namespace {

const std::vector<std::string>& SpoolerPath() {
  static const std::vector<std::string> path = *reg::SplitKeyPath(kSpoolerKey);
  return path;
}

reg::Key* SpoolerKey() { return reg::MachineRegistry().Find(reg::Root::LocalMachine, SpoolerPath()); }

}  // namespace

void WriteSpoolerService(reg::Registry& registry, bool running) {
  reg::Key& key = registry.Create(reg::Root::LocalMachine, SpoolerPath());
  key.SetValue("DisplayName", REG_SZ, reg::StringData("Print Spooler"));
  key.SetValue("ImagePath", REG_EXPAND_SZ, reg::StringData("%SystemRoot%\\system32\\spoolsv.exe"));
  key.SetValue("ObjectName", REG_SZ, reg::StringData("LocalSystem"));
  key.SetValue("Start", REG_DWORD, reg::DwordData(2));  // automatic
  key.SetValue("Type", REG_DWORD, reg::DwordData(SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS));
  key.SetValue(kStateValue, REG_DWORD, reg::DwordData(running ? SERVICE_RUNNING : SERVICE_STOPPED));
}

const char* StateName(std::uint32_t state) {
  switch (state) {
    case SERVICE_STOPPED: return "stopped";
    case SERVICE_START_PENDING: return "start-pending";
    case SERVICE_STOP_PENDING: return "stop-pending";
    case SERVICE_RUNNING: return "running";
  }
  return "unknown";
}

ServiceManager::ServiceManager(Machine& machine) : machine_(machine) {
  // A pending state left by an earlier run keeps pending as its fault says.
  std::uint32_t state = State();
  if (state == SERVICE_START_PENDING) pendingLeft_ = FaultCount("start_pending").value_or(0);
  if (state == SERVICE_STOP_PENDING) pendingLeft_ = FaultCount("stop_pending").value_or(0);
}

std::optional<long> ServiceManager::FaultCount(const char* name) const {
  auto value = machine_.Config().FaultValue(name);
  if (!value) return std::nullopt;
  if (TrimBlanks(*value).empty() || EqualsNoCase(TrimBlanks(*value), "forever")) return -1;
  return machine_.Config().FaultNumber(name, -1);
}

bool ServiceManager::Exists() const { return SpoolerKey() != nullptr; }

std::uint32_t ServiceManager::State() const {
  reg::Key* key = SpoolerKey();
  const reg::Value* v = key ? key->FindValue(kStateValue) : nullptr;
  return v ? reg::DwordOf(*v).value_or(SERVICE_STOPPED) : SERVICE_STOPPED;
}

void ServiceManager::SetState(std::uint32_t state) {
  reg::Key* key = SpoolerKey();
  if (!key) return;
  key->SetValue(kStateValue, REG_DWORD, reg::DwordData(state));
  reg::MachineRegistry().Save(reg::Root::LocalMachine);
}

std::uint32_t ServiceManager::Query() {
  std::uint32_t state = State();
  if (state != SERVICE_START_PENDING && state != SERVICE_STOP_PENDING) return state;
  if (pendingLeft_ != 0) {
    if (pendingLeft_ > 0) --pendingLeft_;
    return state;
  }
  SetState(state == SERVICE_START_PENDING ? SERVICE_RUNNING : SERVICE_STOPPED);
  return State();
}

std::uint32_t ServiceManager::Start() {
  if (State() != SERVICE_STOPPED) return ERROR_SERVICE_ALREADY_RUNNING;
  if (auto refused = machine_.Config().FaultNumber("start_refused", ERROR_SERVICE_DISABLED))
    return static_cast<std::uint32_t>(*refused);
  auto pending = FaultCount("start_pending");
  pendingLeft_ = pending.value_or(0);
  SetState(pending ? SERVICE_START_PENDING : SERVICE_RUNNING);
  return 0;
}

std::uint32_t ServiceManager::Stop() {
  std::uint32_t state = State();
  if (state == SERVICE_STOPPED) return ERROR_SERVICE_NOT_ACTIVE;
  if (state != SERVICE_RUNNING) return ERROR_SERVICE_CANNOT_ACCEPT_CTRL;
  auto pending = FaultCount("stop_pending");
  pendingLeft_ = pending.value_or(0);
  SetState(pending ? SERVICE_STOP_PENDING : SERVICE_STOPPED);
  return 0;
}

bool ServiceManager::MissingThisAttempt() {
  auto missing = FaultCount("service_missing");
  ++openAttempts_;
  return missing && (*missing < 0 || openAttempts_ <= *missing);
}

ServiceManager& Services() { return M().State<ServiceManager>(); }

}  // namespace winemu::svc
