#include "sys/SpoolerRecovery.h"

#include <windows.h>

#include "sys/Services.h"

namespace {

bool SpoolerStopped() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (!manager) return false;
  SC_HANDLE service = OpenServiceA(manager, "Spooler", SERVICE_QUERY_STATUS);
  SERVICE_STATUS status = {};
  bool stopped = service && QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_STOPPED;
  if (service) CloseServiceHandle(service);
  CloseServiceHandle(manager);
  return stopped;
}

}  // namespace

void StartSpoolerIfStopped() {
  if (SpoolerStopped()) StartSpoolerService();
}
