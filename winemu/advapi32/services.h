// The service control manager's one service, "Spooler". Its state lives in the registry under
// HKLM\SYSTEM\CurrentControlSet\Services\Spooler (value WinemuCurrentState, a SERVICE_* state), so
// it survives between runs; the countdown of a pending state belongs to the process.
//
// Faults ([Faults] in machine.ini; "forever" or no value means every time):
//   scm_access_denied      OpenSCManagerA fails with ERROR_ACCESS_DENIED
//   service_access_denied  OpenServiceA fails with ERROR_ACCESS_DENIED
//   service_invalid_name   OpenServiceA fails with ERROR_INVALID_NAME
//   service_missing=K      OpenServiceA fails with ERROR_SERVICE_DOES_NOT_EXIST for the first K attempts
//   stop_pending=K         a stop leaves the service stop-pending for K status queries
//   start_pending=K        a start leaves the service start-pending for K status queries
//   start_refused[=CODE]   StartServiceA fails with CODE (default ERROR_SERVICE_DISABLED, 1058)
//   spooler_stopped        the machine is made with the spooler stopped (winemu create)
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace winemu {

class Machine;

namespace reg {
class Registry;
}

namespace svc {

constexpr const char* kSpoolerName = "Spooler";
constexpr const char* kSpoolerKey = "SYSTEM\\CurrentControlSet\\Services\\Spooler";
constexpr const char* kStateValue = "WinemuCurrentState";

// Writes the Spooler service's key into a new machine's registry.
void WriteSpoolerService(reg::Registry& registry, bool running);

const char* StateName(std::uint32_t state);  // "stopped", "start-pending", "stop-pending", "running"

class ServiceManager {
 public:
  explicit ServiceManager(Machine& machine);

  bool Exists() const;
  std::uint32_t State() const;  // the current state, without counting a status query
  // A status query: a pending state ends once its queries are used up.
  std::uint32_t Query();
  std::uint32_t Start();  // 0 or the error of StartServiceA
  std::uint32_t Stop();   // 0 or the error of ControlService(SERVICE_CONTROL_STOP)
  // Whether this OpenServiceA attempt fails because of service_missing=K.
  bool MissingThisAttempt();

 private:
  void SetState(std::uint32_t state);
  std::optional<long> FaultCount(const char* name) const;  // -1 for every time

  Machine& machine_;
  long pendingLeft_ = 0;  // status queries that still report the pending state; -1: never ends
  long openAttempts_ = 0;
};

ServiceManager& Services();

}  // namespace svc
}  // namespace winemu
