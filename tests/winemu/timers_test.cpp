// Timers on the virtual clock: time passes only while the program waits and the driver lets it;
// due timers fire in order, one WM_TIMER per due time.
#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace k7x::test {
namespace {

using winemu::ui::ScriptDriver;

class TimersTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    dlg = Modeless(IDD_CONTROLS);
    log.Take();
  }
  HWND dlg = nullptr;
};

TEST_F(TimersTest, WaitingLetsDueTimersFireInTheOrderOfTheirDueTimes) {
  ASSERT_EQ(SetTimer(dlg, 1, 500, nullptr), 1u);
  ASSERT_EQ(SetTimer(dlg, 2, 200, nullptr), 2u);
  ScriptDriver script;
  script.Then([&] { EXPECT_TRUE(log.Matching("timer").empty()); })  // no time passes by itself
      .Wait(1000)
      .Then([&] { KillTimer(dlg, 1); })
      .Wait(500);
  RunScript(dlg, script);
  EXPECT_EQ(log.Matching("timer"),
            (std::vector<std::string>{"timer 2 at 200", "timer 2 at 400", "timer 1 at 500", "timer 2 at 600",
                                      "timer 2 at 800", "timer 1 at 1000", "timer 2 at 1000", "timer 2 at 1200",
                                      "timer 2 at 1400"}));
  EXPECT_EQ(GetTickCount(), 1500u);
  auto trace = TraceLines("timer.");
  ASSERT_GE(trace.size(), 3u);
  EXPECT_EQ(trace[0], "timer.set hwnd=" + winemu::user32::HandleText(dlg) + " id=1 elapse=500");
  EXPECT_EQ(std::count(trace.begin(), trace.end(), "timer.kill hwnd=" + winemu::user32::HandleText(dlg) + " id=1 -> ok"), 1);
}

TEST_F(TimersTest, WithNothingDrivingTheProgramTimePassesToItsNextTimer) {
  DWORD start = GetTickCount();
  ASSERT_EQ(SetTimer(dlg, 3, 300, nullptr), 3u);
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) && msg.message != WM_TIMER) DispatchMessageA(&msg);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(GetTickCount() - start, 300u);
  KillTimer(dlg, 3);
}

TEST_F(TimersTest, SettingATimerAgainRestartsItAndTimeSpentBusyGivesOneTick) {
  SetTimer(dlg, 1, 500, nullptr);
  ScriptDriver script;
  script.Wait(300)
      .Then([&] { SetTimer(dlg, 1, 500, nullptr); })  // re-armed at 300: due at 800
      .Wait(400)
      .Then([&] { EXPECT_TRUE(log.Matching("timer").empty()); })
      .Then([] { Sleep(2000); })  // busy for four intervals
      .Wait(0);
  RunScript(dlg, script);
  EXPECT_EQ(log.Matching("timer"), std::vector<std::string>{"timer 1 at 2700"});
  EXPECT_FALSE(KillTimer(dlg, 9));
}

TEST_F(TimersTest, ATimersWindowTakesItsTimersWithIt) {
  SetTimer(dlg, 1, 100, nullptr);
  DestroyWindow(dlg);
  ScriptDriver script;
  script.Wait(1000).Then([] { PostQuitMessage(0); });
  MSG msg;
  int ticks = 0;
  while (GetMessageA(&msg, nullptr, 0, 0)) ticks += msg.message == WM_TIMER;
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace k7x::test
