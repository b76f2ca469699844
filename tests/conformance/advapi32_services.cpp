// advapi32: the service control manager as the program drives the Spooler: open, query, stop and
// start with the states passed through on the way, access rights on the handle, and the errors of
// a missing service and of a stop or start that is not needed.
#include "check.h"
#include "parts.h"

namespace conformance {
namespace {

constexpr int kPolls = 100;
constexpr DWORD kPollMs = 100;

// Polls the service until it reaches `state` or the polls run out; the last state seen.
DWORD WaitFor(SC_HANDLE service, DWORD state) {
  SERVICE_STATUS status{};
  for (int i = 0; i < kPolls; ++i) {
    if (!QueryServiceStatus(service, &status)) return 0;
    if (status.dwCurrentState == state) break;
    Sleep(kPollMs);
  }
  return status.dwCurrentState;
}

bool StoppedOrStopping(DWORD state) { return state == SERVICE_STOPPED || state == SERVICE_STOP_PENDING; }
bool RunningOrStarting(DWORD state) { return state == SERVICE_RUNNING || state == SERVICE_START_PENDING; }

}  // namespace

void CheckServices() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  ok(manager != nullptr, "OpenSCManagerA failed with %u", static_cast<unsigned>(GetLastError()));
  ok_fails(OpenServiceA(manager, "NoSuchService", SERVICE_QUERY_STATUS) == nullptr, ERROR_SERVICE_DOES_NOT_EXIST,
           "OpenServiceA of a missing service");
  ok_fails(OpenSCManagerA(nullptr, "NoSuchDatabase", SC_MANAGER_CONNECT) == nullptr, ERROR_INVALID_NAME,
           "OpenSCManagerA of an unknown database");
  ok_fails(OpenSCManagerA(nullptr, "ServicesFailed", SC_MANAGER_CONNECT) == nullptr, ERROR_DATABASE_DOES_NOT_EXIST,
           "OpenSCManagerA of the failed-services database");
  SC_HANDLE spooler = OpenServiceA(manager, "spooler", SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP);
  ok(spooler != nullptr, "OpenServiceA of 'spooler' in small letters failed with %u", static_cast<unsigned>(GetLastError()));

  // Wine starts its spooler on demand; Windows runs it from boot. Either way it runs from here on.
  SERVICE_STATUS status{};
  ok(QueryServiceStatus(spooler, &status), "QueryServiceStatus failed with %u", static_cast<unsigned>(GetLastError()));
  if (status.dwCurrentState == SERVICE_STOPPED) StartServiceA(spooler, 0, nullptr);
  ok(WaitFor(spooler, SERVICE_RUNNING) == SERVICE_RUNNING, "the Spooler does not run");
  ok(QueryServiceStatus(spooler, &status) && (status.dwServiceType & SERVICE_WIN32_OWN_PROCESS) &&
         (status.dwControlsAccepted & SERVICE_ACCEPT_STOP),
     "the running Spooler's type 0x%x, accepted controls 0x%x: expected its own process, accepting stop",
     static_cast<unsigned>(status.dwServiceType), static_cast<unsigned>(status.dwControlsAccepted));
  ok_fails(!StartServiceA(spooler, 0, nullptr), ERROR_SERVICE_ALREADY_RUNNING, "StartServiceA of the running Spooler");

  SC_HANDLE queryOnly = OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS);
  ok_fails(!ControlService(queryOnly, SERVICE_CONTROL_STOP, &status), ERROR_ACCESS_DENIED,
           "ControlService stop through a handle without SERVICE_STOP");
  ok_fails(!StartServiceA(queryOnly, 0, nullptr), ERROR_ACCESS_DENIED, "StartServiceA through a handle without SERVICE_START");
  CloseServiceHandle(queryOnly);

  status = SERVICE_STATUS{};
  ok(ControlService(spooler, SERVICE_CONTROL_STOP, &status) && StoppedOrStopping(status.dwCurrentState),
     "stopping the Spooler left state %u, expected stopped (1) or stop pending (3)",
     static_cast<unsigned>(status.dwCurrentState));
  ok(WaitFor(spooler, SERVICE_STOPPED) == SERVICE_STOPPED, "the Spooler does not stop");
  ok_fails(!ControlService(spooler, SERVICE_CONTROL_STOP, &status), ERROR_SERVICE_NOT_ACTIVE,
           "ControlService stop of the stopped Spooler");
  CheckStoppedSpooler();
  ok(StartServiceA(spooler, 0, nullptr), "StartServiceA of the stopped Spooler failed with %u",
     static_cast<unsigned>(GetLastError()));
  ok(QueryServiceStatus(spooler, &status) && RunningOrStarting(status.dwCurrentState),
     "after StartServiceA the state is %u, expected running (4) or start pending (2)",
     static_cast<unsigned>(status.dwCurrentState));
  ok(WaitFor(spooler, SERVICE_RUNNING) == SERVICE_RUNNING, "the Spooler does not run again");

  ok(CloseServiceHandle(spooler) && CloseServiceHandle(manager), "CloseServiceHandle failed");
  ok_fails(!CloseServiceHandle(nullptr), ERROR_INVALID_HANDLE, "CloseServiceHandle(NULL)");
}

}  // namespace conformance
