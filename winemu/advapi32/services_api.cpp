// The service control manager's functions over the Spooler service (services.h). Errors are
// Windows' own: ERROR_SERVICE_ALREADY_RUNNING for a start of a service that runs or is pending,
// ERROR_SERVICE_NOT_ACTIVE for a stop of a stopped one, ERROR_SERVICE_CANNOT_ACCEPT_CTRL while it
// is pending. A user without administrator rights may only connect and query. Traced:
// service.open, service.start, service.stop, service.query.
#include <windows.h>

#include "kernel32/handles.h"
#include "machine/ini.h"
#include "services.h"

using namespace winemu;

namespace {

constexpr DWORD kUserManagerRights = SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE | SC_MANAGER_QUERY_LOCK_STATUS |
                                     READ_CONTROL | GENERIC_READ;
constexpr DWORD kUserServiceRights = SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS | SERVICE_ENUMERATE_DEPENDENTS |
                                     SERVICE_INTERROGATE | SERVICE_USER_DEFINED_CONTROL | READ_CONTROL | GENERIC_READ;

class ScObject : public KernelObject {
 public:
  ScObject(bool m, DWORD a) : manager(m), access(a) {}
  bool manager;  // the manager, else the Spooler service
  DWORD access;
};

ScObject* Service(SC_HANDLE h) {
  ScObject* o = Handles().Get<ScObject>(h);
  return o && !o->manager ? o : nullptr;
}

void Fill(LPSERVICE_STATUS status, DWORD state) {
  if (!status) return;
  *status = SERVICE_STATUS{};
  status->dwServiceType = SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS;
  status->dwCurrentState = state;
  status->dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  status->dwWaitHint = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING ? 2000 : 0;
}

BOOL Result(const char* kind, const std::string& detail, DWORD err) {
  TraceResult(kind, detail, err);
  SetError(err);
  return err ? FALSE : TRUE;
}

std::string StateDetail(DWORD state) { return std::string(svc::kSpoolerName) + " state=" + svc::StateName(state); }

}  // namespace

SC_HANDLE WINAPI OpenSCManagerA(LPCSTR lpMachineName, LPCSTR lpDatabaseName, DWORD dwDesiredAccess) {
  DWORD err = 0;
  if (lpMachineName && *lpMachineName) err = RPC_S_SERVER_UNAVAILABLE;  // no other machine is reachable
  else if (lpDatabaseName && EqualsNoCase(lpDatabaseName, SERVICES_FAILED_DATABASEA)) err = ERROR_DATABASE_DOES_NOT_EXIST;
  else if (lpDatabaseName && !EqualsNoCase(lpDatabaseName, SERVICES_ACTIVE_DATABASEA)) err = ERROR_INVALID_NAME;
  else if (M().Config().HasFault("scm_access_denied")) err = ERROR_ACCESS_DENIED;
  else if (!M().Config().admin && (dwDesiredAccess & ~kUserManagerRights)) err = ERROR_ACCESS_DENIED;
  Result("service.open", "manager", err);
  if (err) return nullptr;
  return static_cast<SC_HANDLE>(Handles().Add(std::make_unique<ScObject>(true, dwDesiredAccess)));
}

SC_HANDLE WINAPI OpenServiceA(SC_HANDLE hSCManager, LPCSTR lpServiceName, DWORD dwDesiredAccess) {
  ScObject* manager = Handles().Get<ScObject>(hSCManager);
  std::string name = lpServiceName ? lpServiceName : "";
  const MachineConfig& config = M().Config();
  DWORD err = 0;
  if (!manager || !manager->manager) err = ERROR_INVALID_HANDLE;
  else if (config.HasFault("service_access_denied")) err = ERROR_ACCESS_DENIED;
  else if (config.HasFault("service_invalid_name") || name.empty() || name.size() > 256 ||
           name.find_first_of("\\/") != std::string::npos)
    err = ERROR_INVALID_NAME;
  else if (svc::Services().MissingThisAttempt() || !EqualsNoCase(name, svc::kSpoolerName) || !svc::Services().Exists())
    err = ERROR_SERVICE_DOES_NOT_EXIST;
  else if (!config.admin && (dwDesiredAccess & ~kUserServiceRights)) err = ERROR_ACCESS_DENIED;
  Result("service.open", name, err);
  if (err) return nullptr;
  return static_cast<SC_HANDLE>(Handles().Add(std::make_unique<ScObject>(false, dwDesiredAccess)));
}

BOOL WINAPI StartServiceA(SC_HANDLE hService, DWORD, LPCSTR*) {
  ScObject* s = Service(hService);
  DWORD err = !s ? ERROR_INVALID_HANDLE : !(s->access & (SERVICE_START | GENERIC_ALL)) ? ERROR_ACCESS_DENIED : 0;
  if (!err) err = svc::Services().Start();
  return Result("service.start", StateDetail(svc::Services().State()), err);
}

BOOL WINAPI ControlService(SC_HANDLE hService, DWORD dwControl, LPSERVICE_STATUS lpServiceStatus) {
  ScObject* s = Service(hService);
  DWORD err = 0;
  if (!s) err = ERROR_INVALID_HANDLE;
  else if (dwControl != SERVICE_CONTROL_STOP) err = ERROR_INVALID_PARAMETER;  // the only control emulated
  else if (!(s->access & (SERVICE_STOP | GENERIC_ALL))) err = ERROR_ACCESS_DENIED;
  else err = svc::Services().Stop();
  if (s && (err == 0 || err == ERROR_SERVICE_NOT_ACTIVE || err == ERROR_SERVICE_CANNOT_ACCEPT_CTRL))
    Fill(lpServiceStatus, svc::Services().State());
  return Result("service.stop", StateDetail(svc::Services().State()), err);
}

BOOL WINAPI QueryServiceStatus(SC_HANDLE hService, LPSERVICE_STATUS lpServiceStatus) {
  ScObject* s = Service(hService);
  DWORD err = !s ? ERROR_INVALID_HANDLE
              : !(s->access & (SERVICE_QUERY_STATUS | GENERIC_READ | GENERIC_ALL)) ? ERROR_ACCESS_DENIED
              : !lpServiceStatus ? ERROR_INVALID_PARAMETER : 0;
  DWORD state = err ? svc::Services().State() : svc::Services().Query();
  if (!err) Fill(lpServiceStatus, state);
  return Result("service.query", StateDetail(state), err);
}

BOOL WINAPI CloseServiceHandle(SC_HANDLE hSCObject) {
  if (!Handles().Get<ScObject>(hSCObject)) return SetError(ERROR_INVALID_HANDLE), FALSE;
  Handles().Close(hSCObject);
  SetError(0);
  return TRUE;
}
