// The dialog manager's keys through IsDialogMessage: Tab order, arrows in a radio group, Escape
// and Enter, which dialog gets the command when pages nest in a frame, Alt with a mnemonic.
#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace k7x::test {
namespace {

using winemu::ui::ScriptDriver;

class KeyboardTest : public UiTest {
 protected:
  int FocusId() { return GetDlgCtrlID(GetFocus()); }
};

TEST_F(KeyboardTest, TabVisitsTheTabStopsInOrderSkippingDisabledAndHiddenOnesAndWraps) {
  HWND dlg = Modeless(IDD_CONTROLS);
  // Checking a radio button moves the group's tab stop to it.
  CheckRadioButton(dlg, IDC_RADIO1, IDC_RADIO3, IDC_RADIO2);
  std::vector<int> order;
  ScriptDriver script;
  for (int i = 0; i < 8; ++i) script.Key("Tab").Then([&] { order.push_back(FocusId()); });
  script.Key("Shift+Tab").Then([&] { order.push_back(FocusId()); });
  RunScript(dlg, script);
  EXPECT_EQ(order, (std::vector<int>{IDC_RADIO2, IDC_CHECK, IDC_LIST, IDC_READONLY, IDOK, IDCANCEL, IDC_EDIT,
                                     IDC_RADIO2, IDC_EDIT}));
}

TEST_F(KeyboardTest, ArrowsMoveWithinTheRadioGroupCheckingAsTheyGo) {
  HWND dlg = Modeless(IDD_CONTROLS);
  std::vector<std::string> seen;
  auto note = [&] {
    std::string s = std::to_string(FocusId()) + ":";
    for (int id : {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3}) s += IsDlgButtonChecked(dlg, id) ? "x" : "-";
    seen.push_back(s);
  };
  ScriptDriver script;
  script.Key("Tab").Key("Down").Then(note).Key("Down").Then(note).Key("Down").Then(note).Key("Up").Then(note);
  RunScript(dlg, script);
  EXPECT_EQ(seen, (std::vector<std::string>{"302:-x-", "303:--x", "301:x--", "303:--x"}));
  EXPECT_EQ(log.Matching("command 30").back(), "command 303 0");
}

TEST_F(KeyboardTest, EnterClicksTheDefaultButtonOrTheFocusedPushButtonAndEscapeCancels) {
  HWND dlg = Modeless(IDD_CONTROLS);
  log.endOn = -2;  // keep the dialog
  ScriptDriver script;
  script.Key("Enter");                            // focus on the edit: the default button, OK
  script.Key("Shift+Tab").Key("Enter");           // focus on Cancel, which becomes the default
  script.Key("Escape");
  RunScript(dlg, script);
  auto commands = log.Matching("command");
  std::vector<std::string> buttons;
  for (const auto& c : commands)
    if (c == "command 1 0" || c == "command 2 0") buttons.push_back(c);
  EXPECT_EQ(buttons, (std::vector<std::string>{"command 1 0", "command 2 0", "command 2 0"}));
  EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, IDCANCEL), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST_F(KeyboardTest, EscapeInsideAPageGoesToThePageThatHandlesTheKeyAndOutsideItToTheFrame) {
  HWND frame = Modeless(IDD_FRAME);
  log.endOn = -2;
  DialogLog pageLog;
  pageLog.endOn = -2;
  HWND page = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(IDD_PAGE), frame, &LoggingProc, reinterpret_cast<LPARAM>(&pageLog));
  EnableWindow(page, TRUE);
  ShowWindow(page, SW_SHOW);
  SetFocus(GetDlgItem(page, IDC_PAGE_EDIT));
  // The message loop asks the innermost dialog first, as a framework's pre-translation walk does.
  ScriptDriver script;
  script.Key("Escape").Then([&] { SetFocus(GetDlgItem(frame, IDC_NEXT)); }).Key("Escape").Then([] { PostQuitMessage(0); });
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    HWND inner = IsChild(page, msg.hwnd) ? page : frame;
    if (IsDialogMessageA(inner, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(pageLog.Matching("command 2"), std::vector<std::string>{"command 2 0"});
  EXPECT_EQ(log.Matching("command 2"), std::vector<std::string>{"command 2 0"});
  EXPECT_TRUE(IsWindowVisible(frame));
}

TEST_F(KeyboardTest, TabFromInsideAPageReachesTheFramesControlsThroughTheFrame) {
  HWND frame = Modeless(IDD_FRAME);
  DialogLog pageLog;
  HWND page = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(IDD_PAGE), frame, &LoggingProc, reinterpret_cast<LPARAM>(&pageLog));
  EnableWindow(page, TRUE);
  ShowWindow(page, SW_SHOW);
  SetWindowLongA(frame, GWL_EXSTYLE, GetWindowLongA(frame, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  SetWindowLongA(page, GWL_EXSTYLE, GetWindowLongA(page, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  HWND next = GetDlgItem(frame, IDC_NEXT);
  // The page, a control parent, is entered: after Cancel come the page's controls.
  EXPECT_EQ(GetNextDlgTabItem(frame, next, FALSE), GetDlgItem(frame, IDCANCEL));
  EXPECT_EQ(GetNextDlgTabItem(frame, GetDlgItem(frame, IDCANCEL), FALSE), GetDlgItem(page, IDC_PAGE_EDIT));
  EXPECT_EQ(GetNextDlgTabItem(frame, GetDlgItem(page, IDC_PAGE_BUTTON), FALSE), next);
  EXPECT_EQ(GetNextDlgTabItem(frame, next, TRUE), GetDlgItem(page, IDC_PAGE_BUTTON));
  // A disabled page is not entered.
  EnableWindow(page, FALSE);
  EXPECT_EQ(GetNextDlgTabItem(frame, GetDlgItem(frame, IDCANCEL), FALSE), next);
}


TEST_F(KeyboardTest, AltWithAMnemonicClicksItsButtonOrFocusesTheTabStopAfterItsLabel) {
  HWND dlg = Modeless(IDD_CONTROLS);
  log.endOn = -2;  // keep the dialog
  SetDlgItemTextA(dlg, IDC_RADIO3, "T&hree");
  SetDlgItemTextA(dlg, IDC_TEXT, "&Label");
  SetDlgItemTextA(dlg, IDC_DISABLED, "&Off");
  SetDlgItemTextA(dlg, IDCANCEL, "&Cancel && close");
  std::vector<std::string> seen;
  auto note = [&] { seen.push_back(std::to_string(FocusId()) + (IsDlgButtonChecked(dlg, IDC_RADIO3) ? " checked" : "")); };
  ScriptDriver script;
  script.Then([] { winemu::ui::AltKey('H'); }).Then(note);  // the radio button takes the focus and is checked
  script.Then([] { winemu::ui::AltKey('l'); }).Then(note);  // a label hands the focus on
  script.Then([] { winemu::ui::AltKey('o'); }).Then(note);  // a disabled button is no target
  script.Then([] { winemu::ui::AltKey('c'); }).Then(note);  // a push button is clicked, taking the focus
  RunScript(dlg, script);
  EXPECT_EQ(seen, (std::vector<std::string>{"303 checked", "308 checked", "308 checked", "2 checked"}));
  EXPECT_EQ(log.Matching("command 2 ").size(), 1u);
  EXPECT_TRUE(log.Matching("command 309").empty());
}

}  // namespace
}  // namespace k7x::test
