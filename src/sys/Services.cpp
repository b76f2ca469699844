#include "sys/Services.h"

#include <windows.h>

#include <cstdio>

#include "shared/RunLog.h"

namespace {

constexpr const char* kServiceName = "Spooler";

enum class Request { Start, Stop };

// Closes what the routine opened: the service handle, then the manager handle.
void CloseHandles(SC_HANDLE service, SC_HANDLE manager) {
  if (service) CloseServiceHandle(service);
  if (manager) CloseServiceHandle(manager);
}

// Queries the status while it reports `pending`, pausing between queries; false when the
// query fails or the pending state outlasts kMaxStatusPolls queries.
bool WaitWhilePending(SC_HANDLE service, DWORD pending) {
  for (int poll = 0; poll < kMaxStatusPolls; ++poll) {
    if (poll > 0) Sleep(kStatusPollPauseMs);
    SERVICE_STATUS status = {};
    if (!QueryServiceStatus(service, &status)) return false;
    if (status.dwCurrentState != pending) return true;
  }
  return false;
}

// Opens the service, retrying while it is missing; null after a failure that has been reported
// or when the attempts are used up.
SC_HANDLE OpenSpooler(SC_HANDLE manager) {
  for (int attempt = 1; attempt <= kMaxOpenAttempts; ++attempt) {
    SC_HANDLE service = OpenServiceA(manager, kServiceName, SERVICE_ALL_ACCESS);
    if (service) return service;
    DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED) {
      printf("PortTalk: You do not have rights to the PortTalk service database\n");
      return nullptr;
    }
    if (error == ERROR_INVALID_NAME) {
      printf("PortTalk: The specified service name is invalid.\n");
      return nullptr;
    }
    if (error == ERROR_SERVICE_DOES_NOT_EXIST && attempt < kMaxOpenAttempts) {
      printf("PortTalk: The PortTalk driver does not exist. Installing driver.\n");
      printf("PortTalk: This can take up to 30 seconds on some machines . .\n");
    }
  }
  return nullptr;
}

bool RunRequest(Request request) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager && GetLastError() == ERROR_ACCESS_DENIED) {
    printf("PortTalk: You do not have rights to access the Service Control Manager and\n");
    printf("PortTalk: the PortTalk driver is not installed or started. Please ask \n");
    printf("PortTalk: your administrator to install the driver on your behalf.\n");
    return false;
  }
  // Without a manager handle the service cannot be opened either; OpenSpooler ends that.
  SC_HANDLE service = OpenSpooler(manager);
  if (!service) {
    CloseHandles(nullptr, manager);
    return false;
  }

  DWORD pending = request == Request::Start ? SERVICE_START_PENDING : SERVICE_STOP_PENDING;
  SERVICE_STATUS status = {};
  BOOL done = request == Request::Start ? StartServiceA(service, 0, nullptr)
                                        : ControlService(service, SERVICE_CONTROL_STOP, &status);
  if (done) {
    if (request == Request::Start) printf("PortTalk: The PortTalk driver has been successfully started.\n");
  } else {
    DWORD error = GetLastError();  // the request's own error, before the polls change it
    WaitWhilePending(service, pending);
    if (request == Request::Stop) {
      CloseHandles(service, manager);
      return false;
    }
    if (error != ERROR_SERVICE_ALREADY_RUNNING) {
      printf("PortTalk: Unknown error while starting PortTalk driver service.\n");
      printf("PortTalk: Does PortTalk.SYS exist in your \\System32\\Drivers Directory?\n");
      CloseHandles(service, manager);
      return false;
    }
    printf("PortTalk: The PortTalk driver is already running.\n");
  }
  bool left = WaitWhilePending(service, pending);
  CloseHandles(service, manager);
  return left;
}

}  // namespace

bool StartSpoolerService() {
  bool running = RunRequest(Request::Start);
  LogLine(running ? "Spooler service running" : "Spooler service not started");
  return running;
}

bool StopSpoolerService() {
  bool stopped = RunRequest(Request::Stop);
  LogLine(stopped ? "Spooler service stopped" : "Spooler service: the stop request was not carried out (stopped already, or it cannot be stopped)");
  return stopped;
}
