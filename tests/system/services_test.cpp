// StartSpoolerService and StopSpoolerService: results, the spooler's state, and every diagnostic
// line on standard output.
#include "sys/Services.h"

#include "removal_fixture.h"
#include "winemu/winspool/spooler_store.h"

namespace {

using k7x::test::RemovalTest;

constexpr const char* kLinesA =
    "PortTalk: You do not have rights to access the Service Control Manager and\n"
    "PortTalk: the PortTalk driver is not installed or started. Please ask \n"
    "PortTalk: your administrator to install the driver on your behalf.\n";
constexpr const char* kLineB = "PortTalk: You do not have rights to the PortTalk service database\n";
constexpr const char* kLineC = "PortTalk: The specified service name is invalid.\n";
constexpr const char* kLinesD =
    "PortTalk: The PortTalk driver does not exist. Installing driver.\n"
    "PortTalk: This can take up to 30 seconds on some machines . .\n";
constexpr const char* kLineE = "PortTalk: The PortTalk driver has been successfully started.\n";
constexpr const char* kLineF = "PortTalk: The PortTalk driver is already running.\n";
constexpr const char* kLinesG =
    "PortTalk: Unknown error while starting PortTalk driver service.\n"
    "PortTalk: Does PortTalk.SYS exist in your \\System32\\Drivers Directory?\n";

class ServiceRoutinesTest : public RemovalTest {
 protected:
  // Runs a routine and returns what it printed.
  std::string Run(bool (*routine)(), bool& result) {
    testing::internal::CaptureStdout();
    result = routine();
    return testing::internal::GetCapturedStdout();
  }
  static bool SpoolerRunning() { return winemu::spooler::SpoolerRunning(); }
  static std::string Repeat(const char* text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
  }
};

TEST_F(ServiceRoutinesTest, StoppingARunningSpoolerIsQuietAndTrue) {
  bool ok = false;
  EXPECT_EQ(Run(StopSpoolerService, ok), "");
  EXPECT_TRUE(ok);
  EXPECT_FALSE(SpoolerRunning());
}

TEST_F(ServiceRoutinesTest, StoppingAStoppedSpoolerIsQuietAndFalse) {
  MakeMachineWith({}, {{"spooler_stopped", ""}});
  bool ok = true;
  EXPECT_EQ(Run(StopSpoolerService, ok), "");
  EXPECT_FALSE(ok);
}

TEST_F(ServiceRoutinesTest, StartingAStoppedSpoolerPrintsLineE) {
  MakeMachineWith({}, {{"spooler_stopped", ""}});
  bool ok = false;
  EXPECT_EQ(Run(StartSpoolerService, ok), kLineE);
  EXPECT_TRUE(ok);
  EXPECT_TRUE(SpoolerRunning());
}

TEST_F(ServiceRoutinesTest, StartingARunningSpoolerPrintsLineFAndIsTrue) {
  bool ok = false;
  EXPECT_EQ(Run(StartSpoolerService, ok), kLineF);
  EXPECT_TRUE(ok);
}

TEST_F(ServiceRoutinesTest, WithoutRightsToTheManagerBothPrintLinesAAndLeaveTheSpoolerAlone) {
  for (bool admin : {false, true}) {
    if (admin) MakeMachineWith({}, {{"scm_access_denied", ""}});
    else MakeMachineWith({}, {}, /*admin=*/false);
    for (bool (*routine)() : {StopSpoolerService, StartSpoolerService}) {
      bool ok = true;
      EXPECT_EQ(Run(routine, ok), kLinesA);
      EXPECT_FALSE(ok);
    }
    EXPECT_TRUE(Count("service.open Spooler") == 0);
    EXPECT_TRUE(SpoolerRunning());
  }
}

TEST_F(ServiceRoutinesTest, ServiceRightsAndInvalidNamePrintLinesBAndC) {
  for (auto [fault, lines] : {std::pair{"service_access_denied", kLineB}, std::pair{"service_invalid_name", kLineC}}) {
    MakeMachineWith({}, {{fault, ""}});
    for (bool (*routine)() : {StopSpoolerService, StartSpoolerService}) {
      bool ok = true;
      EXPECT_EQ(Run(routine, ok), lines) << fault;
      EXPECT_FALSE(ok);
    }
    EXPECT_EQ(Count("service.open Spooler"), 2u) << fault;  // one attempt each, no retry
    EXPECT_TRUE(SpoolerRunning());
  }
}

TEST_F(ServiceRoutinesTest, AMissingServiceIsTriedAgainWithLinesDBeforeEachNewAttempt) {
  MakeMachineWith({}, {{"service_missing", "2"}});
  bool ok = false;
  EXPECT_EQ(Run(StopSpoolerService, ok), Repeat(kLinesD, 2));
  EXPECT_TRUE(ok);
  EXPECT_EQ(Count("service.open Spooler"), 3u);
}

TEST_F(ServiceRoutinesTest, AServiceThatNeverAppearsEndsAfterTheLastAttempt) {
  MakeMachineWith({}, {{"service_missing", "forever"}});
  bool ok = true;
  EXPECT_EQ(Run(StartSpoolerService, ok), Repeat(kLinesD, kMaxOpenAttempts - 1));
  EXPECT_FALSE(ok);
  EXPECT_EQ(Count("service.open Spooler"), static_cast<size_t>(kMaxOpenAttempts));
  EXPECT_TRUE(TraceLines("service.start").empty());
}

TEST_F(ServiceRoutinesTest, ARefusedStartPrintsLinesG) {
  MakeMachineWith({}, {{"spooler_stopped", ""}, {"start_refused", ""}});
  bool ok = true;
  EXPECT_EQ(Run(StartSpoolerService, ok), kLinesG);
  EXPECT_FALSE(ok);
}

TEST_F(ServiceRoutinesTest, EachRoutineWaitsUntilThePendingStateHasEnded) {
  MakeMachineWith({}, {{"stop_pending", "3"}, {"start_pending", "2"}});
  bool ok = false;
  EXPECT_EQ(Run(StopSpoolerService, ok), "");
  EXPECT_TRUE(ok);
  EXPECT_EQ(TraceLines("service.query"), (std::vector<std::string>{
                                             "service.query Spooler state=stop-pending -> ok",
                                             "service.query Spooler state=stop-pending -> ok",
                                             "service.query Spooler state=stop-pending -> ok",
                                             "service.query Spooler state=stopped -> ok",
                                         }));
  EXPECT_EQ(TraceLines("sleep").size(), 3u);  // a pause after each pending answer
  machine().ClearTrace();
  EXPECT_EQ(Run(StartSpoolerService, ok), kLineE);
  EXPECT_TRUE(ok);
  EXPECT_EQ(TraceLines("service.query").back(), "service.query Spooler state=running -> ok");
  EXPECT_EQ(TraceLines("service.query").size(), 3u);
}

TEST_F(ServiceRoutinesTest, APendingStateThatNeverEndsEndsTheWaitAfterTheLastPoll) {
  MakeMachineWith({}, {{"stop_pending", "forever"}});
  std::uint64_t before = machine().Now();
  bool ok = true;
  EXPECT_EQ(Run(StopSpoolerService, ok), "");
  EXPECT_FALSE(ok);
  EXPECT_EQ(TraceLines("service.query").size(), static_cast<size_t>(kMaxStatusPolls));
  EXPECT_EQ(machine().Now() - before, static_cast<std::uint64_t>(kMaxStatusPolls - 1) * kStatusPollPauseMs);

  MakeMachineWith({}, {{"spooler_stopped", ""}, {"start_pending", "forever"}});
  EXPECT_EQ(Run(StartSpoolerService, ok), kLineE);
  EXPECT_FALSE(ok);
  EXPECT_EQ(TraceLines("service.query").size(), static_cast<size_t>(kMaxStatusPolls));
}

}  // namespace
