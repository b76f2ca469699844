// The service control manager and its Spooler service: states, Windows' errors, faults, rights.
#include <windows.h>

#include "support/machine_fixture.h"

namespace {

class ServicesTest : public k7x::test::MachineTest {
 protected:
  void WithFaults(std::map<std::string, std::string> faults, bool admin = true) {
    winemu::CreateOptions o;
    o.faults = std::move(faults);
    o.admin = admin;
    MakeMachine(o);
  }
  // Opens manager and Spooler with full access; the test closes them through Close().
  bool OpenSpooler() {
    manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    service_ = manager_ ? OpenServiceA(manager_, "Spooler", SERVICE_ALL_ACCESS) : nullptr;
    return service_ != nullptr;
  }
  void TearDown() override {
    if (service_) CloseServiceHandle(service_);
    if (manager_) CloseServiceHandle(manager_);
    MachineTest::TearDown();
  }
  DWORD State() {
    SERVICE_STATUS status{};
    EXPECT_TRUE(QueryServiceStatus(service_, &status));
    return status.dwCurrentState;
  }
  DWORD Stop(SERVICE_STATUS* status = nullptr) {
    SERVICE_STATUS s{};
    BOOL ok = ControlService(service_, SERVICE_CONTROL_STOP, status ? status : &s);
    return ok ? 0 : GetLastError();
  }
  DWORD Start() { return StartServiceA(service_, 0, nullptr) ? 0 : GetLastError(); }

  SC_HANDLE manager_ = nullptr;
  SC_HANDLE service_ = nullptr;
};

TEST_F(ServicesTest, TheSpoolerStopsAndStartsWithWindowsErrorsForRepeatedRequests) {
  ASSERT_TRUE(OpenSpooler());
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_RUNNING));
  SERVICE_STATUS status{};
  EXPECT_EQ(Stop(&status), 0u);
  EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_EQ(Stop(), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_EQ(Start(), 0u);
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_EQ(Start(), static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));
}

TEST_F(ServicesTest, TheStateSurvivesIntoTheNextRun) {
  ASSERT_TRUE(OpenSpooler());
  ASSERT_EQ(Stop(), 0u);
  CloseServiceHandle(service_);
  CloseServiceHandle(manager_);
  winemu::Machine::Use(winemu::Machine::Open(dir()));
  ASSERT_TRUE(OpenSpooler());
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(ServicesTest, PendingStatesLastForTheGivenNumberOfQueries) {
  WithFaults({{"stop_pending", "3"}, {"start_pending", "1"}});
  ASSERT_TRUE(OpenSpooler());
  SERVICE_STATUS status{};
  ASSERT_EQ(Stop(&status), 0u);
  EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOP_PENDING));
  EXPECT_EQ(Start(), static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));  // still stopping
  EXPECT_EQ(Stop(), static_cast<DWORD>(ERROR_SERVICE_CANNOT_ACCEPT_CTRL));
  for (int i = 0; i < 3; ++i) EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_STOP_PENDING)) << i;
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_STOPPED));
  ASSERT_EQ(Start(), 0u);
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_START_PENDING));
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_RUNNING));
}

TEST_F(ServicesTest, APendingStateCanLastForever) {
  WithFaults({{"stop_pending", "forever"}});
  ASSERT_TRUE(OpenSpooler());
  ASSERT_EQ(Stop(), 0u);
  for (int i = 0; i < 2000; ++i) ASSERT_EQ(State(), static_cast<DWORD>(SERVICE_STOP_PENDING)) << i;
}

TEST_F(ServicesTest, OpenFaultsFailTheWayWindowsFails) {
  struct Case {
    const char* fault;
    bool managerFails;
    DWORD error;
  } cases[] = {
      {"scm_access_denied", true, ERROR_ACCESS_DENIED},
      {"service_access_denied", false, ERROR_ACCESS_DENIED},
      {"service_invalid_name", false, ERROR_INVALID_NAME},
      {"service_missing", false, ERROR_SERVICE_DOES_NOT_EXIST},
  };
  for (const Case& c : cases) {
    WithFaults({{c.fault, ""}});
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (c.managerFails) {
      EXPECT_EQ(manager, nullptr) << c.fault;
      EXPECT_EQ(GetLastError(), c.error) << c.fault;
      continue;
    }
    ASSERT_NE(manager, nullptr) << c.fault;
    for (int attempt = 0; attempt < 3; ++attempt) {
      EXPECT_EQ(OpenServiceA(manager, "Spooler", SERVICE_ALL_ACCESS), nullptr) << c.fault;
      EXPECT_EQ(GetLastError(), c.error) << c.fault;
    }
    CloseServiceHandle(manager);
  }
}

TEST_F(ServicesTest, OnlyTheActiveDatabaseOpens) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, "servicesactive", SC_MANAGER_CONNECT);
  EXPECT_NE(manager, nullptr);
  CloseServiceHandle(manager);
  EXPECT_EQ(OpenSCManagerA(nullptr, "ServicesFailed", SC_MANAGER_CONNECT), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DATABASE_DOES_NOT_EXIST));
  EXPECT_EQ(OpenSCManagerA(nullptr, "NoSuchDatabase", SC_MANAGER_CONNECT), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
}

TEST_F(ServicesTest, AMissingServiceCanAppearAfterKAttempts) {
  WithFaults({{"service_missing", "2"}});
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(manager, nullptr);
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_EQ(OpenServiceA(manager, "Spooler", SERVICE_ALL_ACCESS), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
  }
  SC_HANDLE service = OpenServiceA(manager, "spooler", SERVICE_ALL_ACCESS);
  EXPECT_NE(service, nullptr);
  EXPECT_EQ(OpenServiceA(manager, "NoSuchService", SERVICE_ALL_ACCESS), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
}

TEST_F(ServicesTest, ARefusedStartGivesItsCode) {
  WithFaults({{"start_refused", ""}, {"spooler_stopped", ""}});
  ASSERT_TRUE(OpenSpooler());
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_EQ(Start(), static_cast<DWORD>(ERROR_SERVICE_DISABLED));
  WithFaults({{"start_refused", "1053"}, {"spooler_stopped", ""}});
  ASSERT_TRUE(OpenSpooler());
  EXPECT_EQ(Start(), static_cast<DWORD>(ERROR_SERVICE_REQUEST_TIMEOUT));
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(ServicesTest, AUserMayOnlyConnectAndQuery) {
  WithFaults({}, /*admin=*/false);
  EXPECT_EQ(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  ASSERT_NE(manager_, nullptr);
  EXPECT_EQ(OpenServiceA(manager_, "Spooler", SERVICE_ALL_ACCESS), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  service_ = OpenServiceA(manager_, "Spooler", SERVICE_QUERY_STATUS);
  ASSERT_NE(service_, nullptr);
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_EQ(Stop(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(State(), static_cast<DWORD>(SERVICE_RUNNING));
}

TEST_F(ServicesTest, OpensRequestsAndQueriesAreTraced) {
  WithFaults({{"stop_pending", "1"}});
  machine().ClearTrace();
  ASSERT_TRUE(OpenSpooler());
  Stop();
  State();
  State();
  EXPECT_EQ(TraceLines("service."), (std::vector<std::string>{
                                        "service.open manager -> ok",
                                        "service.open Spooler -> ok",
                                        "service.stop Spooler state=stop-pending -> ok",
                                        "service.query Spooler state=stop-pending -> ok",
                                        "service.query Spooler state=stopped -> ok",
                                    }));
}

}  // namespace
