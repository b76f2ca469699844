// The script language and its driver: parse errors name the line; an action that cannot be done,
// a script that ends while the program waits, and the dump and expect actions.
#include <gtest/gtest.h>

#include <commctrl.h>

#include "ui_fixture.h"

namespace k7x::test {
namespace {

using winemu::ui::ParseScript;
using winemu::ui::ScriptDriver;
using winemu::ui::UiError;

TEST(ScriptParse, ReadsEveryActionSkippingCommentsAndBlankLines) {
  auto r = ParseScript(
      "\xEF\xBB\xBF# a walk\r\n\r\nclick 12324   # Next\nselect 1006 0\nkey shift+TAB\nsysmenu 16\nclose\nwait 500\n"
      "answer\nanswer 7\ndump\nexpect 1019 Edit edit \"80mm # series\"\n");
  ASSERT_EQ(r.error, "");
  ASSERT_EQ(r.actions.size(), 10u);
  using K = winemu::ui::Action::Kind;
  EXPECT_EQ(r.actions[0].kind, K::Click);
  EXPECT_EQ(r.actions[0].id, 12324);
  EXPECT_EQ(r.actions[0].line, 3);
  EXPECT_EQ(r.actions[0].source, "click 12324");
  EXPECT_EQ(r.actions[1].index, 0);
  EXPECT_EQ(r.actions[2].key, "Shift+Tab");
  EXPECT_EQ(r.actions[3].id, 16);
  EXPECT_EQ(r.actions[5].ms, 500u);
  EXPECT_FALSE(r.actions[6].answerId.has_value());
  EXPECT_EQ(r.actions[7].answerId, 7);
  EXPECT_EQ(r.actions[9].text, "1019 Edit edit \"80mm # series\"");
}

TEST(ScriptParse, RejectsWhatItCannotReadNamingTheLine) {
  auto error = [](const char* text) { return ParseScript(text).error; };
  const std::string kActions = " (click, select, key, sysmenu, close, wait, answer, dump, expect)";
  EXPECT_EQ(error("click 1\nclik 2\n"), "line 2: unknown action 'clik'" + kActions);
  EXPECT_EQ(error("click\n"), "line 1: click needs one control id from 0 to 65535");
  EXPECT_EQ(error("click 12x\n"), "line 1: click needs one control id from 0 to 65535");
  const std::string kSelect = "select needs a list box id from 0 to 65535 and an entry index from 0 to 2147483647";
  EXPECT_EQ(error("\nselect 5\n"), "line 2: " + kSelect);
  EXPECT_EQ(error("select 5 -1\n"), "line 1: " + kSelect);
  EXPECT_NE(error("key Ctrl\n").find("line 1: unknown key 'Ctrl'"), std::string::npos);
  EXPECT_EQ(error("wait -5\n"), "line 1: wait needs a number of milliseconds from 0 to 4294967295");
  EXPECT_EQ(error("wait 99999999999\n"), "line 1: wait needs a number of milliseconds from 0 to 4294967295");
  EXPECT_EQ(error("close now\n"), "line 1: close takes no arguments");
  EXPECT_EQ(error("answer 1 2\n"), "line 1: answer takes a button id from 0 to 65535 or nothing");
  EXPECT_EQ(error("expect\n"), "line 1: expect needs the text to look for");
  EXPECT_EQ(ParseScript(std::string_view("dump\nclick 1\0\n", 13)).error, "line 2: the line holds a NUL byte");
  EXPECT_TRUE(ParseScript("clik 1").actions.empty());
}

TEST(ScriptParse, NumbersOutOfRangeAreRefusedNotWrapped) {
  auto error = [](const char* text) { return ParseScript(text).error; };
  EXPECT_EQ(error("click 2147483648\n"), "line 1: click needs one control id from 0 to 65535");
  EXPECT_EQ(error("click 65536\n"), "line 1: click needs one control id from 0 to 65535");
  EXPECT_EQ(error("click 99999999999999999999\n"), "line 1: click needs one control id from 0 to 65535");
  EXPECT_NE(error("select 1006 2147483648\n"), "");
  EXPECT_NE(error("answer 4294967303\n"), "");
  EXPECT_NE(error("sysmenu 65552\n"), "");
  EXPECT_EQ(ParseScript("click 65535\nselect 1 2147483647\n").actions.at(1).index, 2147483647);
}

TEST(ScriptParse, CarriageReturnsAndBlanksBeforeACommentAreNoAction) {
  for (const char* text : {"\r #\nclick 1\n", " \r\t# x\r\nclick 1\r\n", "\r\nclick 1 #\r"}) {
    auto r = ParseScript(text);
    ASSERT_EQ(r.error, "") << text;
    ASSERT_EQ(r.actions.size(), 1u) << text;
    EXPECT_EQ(r.actions[0].source, "click 1");
  }
}

TEST(ScriptParse, BinaryBytesAreShownEscapedInErrors) {
  EXPECT_EQ(ParseScript("\x01\xFF\x1B[2J 1\n").error,
            "line 1: unknown action '\\x01\\xFF\\x1B[2J' (click, select, key, sysmenu, close, wait, answer, dump, expect)");
  EXPECT_EQ(ParseScript("key \xE4\xB8\xAD\n").error.substr(0, 25), "line 1: unknown key '\xE4\xB8\xAD'");
}

class ScriptDriverTest : public UiTest {
 protected:
  std::string Fails(ScriptDriver& script, HWND dlg) {
    try {
      RunScript(dlg, script);
    } catch (const UiError& e) {
      return e.what();
    }
    return "no error";
  }
};

TEST_F(ScriptDriverTest, AnActionOnADisabledHiddenOrMissingControlFails) {
  HWND dlg = Modeless(IDD_CONTROLS);
  auto run = [&](std::vector<winemu::ui::Action> actions) {
    ScriptDriver script(std::move(actions));
    return Fails(script, dlg);
  };
  EXPECT_EQ(run(ParseScript("click 309").actions), "script line 1: click 309: control 309 is disabled");
  EXPECT_EQ(run(ParseScript("dump\nclick 310").actions), "script line 2: click 310: control 310 is hidden");
  EXPECT_EQ(run(ParseScript("click 999").actions), "script line 1: click 999: the active window has no control 999");
  EXPECT_EQ(run(ParseScript("select 306 0").actions), "script line 1: select 306 0: control 306 is not a list box");
  EXPECT_EQ(run(ParseScript("select 305 0").actions), "script line 1: select 305 0: list box 305 has 0 entries, no entry 0");
  EXPECT_EQ(run(ParseScript("answer").actions), "script line 1: answer: no message box is open");
  EXPECT_EQ(run(ParseScript("sysmenu 16").actions), "script line 1: sysmenu 16: the system menu has no item 16");
  EXPECT_EQ(run(ParseScript("expect Nothing like it").actions),
            "script line 1: expect Nothing like it: the active window shows no \"Nothing like it\"");
  // A control inside a disabled page cannot be clicked either.
  HWND page = Modeless(IDD_PAGE, dlg);
  ShowWindow(page, SW_SHOW);
  EXPECT_EQ(run(ParseScript("click 401").actions), "script line 1: click 401: control 401 is disabled");
}

TEST_F(ScriptDriverTest, AScriptThatEndsWhileTheProgramWaitsIsAnError) {
  HWND dlg = Modeless(IDD_CONTROLS);
  ScriptDriver script;
  script.Click(IDC_CHECK);
  MSG msg;
  std::string error;
  try {
    while (GetMessageA(&msg, nullptr, 0, 0))
      if (!IsDialogMessageA(dlg, &msg)) DispatchMessageA(&msg);
  } catch (const UiError& e) {
    error = e.what();
  }
  EXPECT_EQ(error, "the script ended while the program waits for input");
  EXPECT_EQ(IsDlgButtonChecked(dlg, IDC_CHECK), BST_CHECKED);  // the click itself was done
}

TEST_F(ScriptDriverTest, LeftoverActionsAreCounted) {
  HWND dlg = Modeless(IDD_CONTROLS);
  ScriptDriver script(ParseScript("click 304\nclick 304\nclick 304\n").actions);
  script.Then([] { PostQuitMessage(0); });
  ScriptDriver* seen = &script;
  MSG msg;
  int steps = 0;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    if (!IsDialogMessageA(dlg, &msg)) DispatchMessageA(&msg);
    if (msg.message == WM_LBUTTONUP && ++steps == 1) PostQuitMessage(0);
  }
  EXPECT_EQ(seen->Remaining(), 3u);
  EXPECT_EQ(seen->NextSource(), "line 2: click 304");
}

TEST_F(ScriptDriverTest, CloseAndTheSystemMenuSendTheirCommands) {
  HWND dlg = Modeless(IDD_CONTROLS);
  log.endOn = -2;
  log.handler = [&](HWND, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
    if (msg == WM_SYSCOMMAND) log.lines.push_back("syscommand " + std::to_string(wParam));
    return 0;
  };
  HMENU menu = GetSystemMenu(dlg, FALSE);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, 16, "About...");
  ScriptDriver script;
  script.SysMenu(16).Close().Dump();
  RunScript(dlg, script);
  EXPECT_EQ(log.Matching("syscommand"), (std::vector<std::string>{"syscommand 16", "syscommand 61536"}));
  EXPECT_EQ(log.Matching("command 2"), std::vector<std::string>{"command 2 0"});  // WM_CLOSE -> IDCANCEL
  EXPECT_NE(script.Dumps()[0].find("  sysmenu: 61456 \"&Move\" | 61536 \"&Close\\tAlt+F4\" | - | 16 \"About...\"\n"),
            std::string::npos)
      << script.Dumps()[0];
  HWND plain = Modeless(IDD_PLAIN);
  ScriptDriver closing;
  closing.Close();
  EXPECT_EQ(Fails(closing, plain), "close: the active window has no close box");
}

TEST_F(ScriptDriverTest, TheDumpShowsIdsClassesTextsStatesAndRectangles) {
  HWND dlg = Modeless(IDD_CONTROLS);
  SendDlgItemMessageA(dlg, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("80mm series"));
  CheckDlgButton(dlg, IDC_RADIO2, BST_CHECKED);
  SendDlgItemMessageA(dlg, IDC_PROGRESS, PBM_SETPOS, 50, 0);
  SetDlgItemTextA(dlg, IDC_EDIT, "say \"hi\"");
  ScriptDriver script;
  script.Select(IDC_LIST, 0).Dump().Expect("305 ListBox listbox \"\" enabled visible focus at=");
  RunScript(dlg, script);
  std::string dump = script.Dumps().at(0);
  std::vector<std::string> expected = {
      "window #32770 dialog 200 \"Controls\" enabled visible at=12,11 size=306x269 focus=305\n",
      "  300 Edit edit \"say \\\"hi\\\"\" enabled visible at=15,16 size=150x23\n",
      "  302 Button autoradio \"Two\" enabled visible checked at=15,68 size=75x16\n",
      "  301 Button autoradio \"One\" enabled visible unchecked at=",
      "  305 ListBox listbox \"\" enabled visible focus at=180,16 size=105x65 items=[\"80mm series\"] sel=0\n",
      "  307 msctls_progress32 progress \"Progress1\" enabled visible at=15,153 size=150x15 pos=50 range=0..100\n",
      "  308 Edit edit \"\" enabled visible readonly at=",
      "  309 Button push \"Off\" disabled visible at=",
      "  310 Button push \"Hidden\" enabled hidden at=",
      "  -1 Static etchedhorz \"\" enabled visible at=0,192 size=300x2\n",
      "  1 Button defpush \"OK\" enabled visible at=135,208 size=75x23\n"};
  for (const std::string& line : expected) EXPECT_NE(dump.find(line), std::string::npos) << line << "\nin\n" << dump;
}

}  // namespace
}  // namespace k7x::test
