// Walking the wizard: button states, page texts, the printer series gate, ending early, a second
// run after Back, Escape inside a page, the close box, the About box, a walk by keys alone.
#include <windows.h>

#include "shared/globals.h"
#include "winemu/ui/actions.h"
#include "winemu/ui/dump.h"
#include "winemu/winspool/spooler_store.h"
#include "wizard_fixture.h"

namespace {

using winemu::ui::ScriptDriver;

struct Buttons {
  bool back, next, finish;
  bool operator==(const Buttons&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Buttons& b) {
  return os << "Back " << b.back << ", Next " << b.next << ", Finish " << b.finish;
}

class WizardWalkTest : public k7x::test::ProgramRunTest {
 protected:
  Buttons Now() { return {Enabled(IDC_WIZ_BACK), Enabled(IDC_WIZ_NEXT), Enabled(IDC_WIZ_FINISH)}; }
  // Adds a check of the frame's buttons at this point of the walk.
  void ExpectButtons(ScriptDriver& script, Buttons want, const char* where) {
    script.Then([this, want, where] { EXPECT_EQ(Now(), want) << where; });
  }
  int InstallRuns() const {
    int n = 0;
    for (const std::string& line : TraceLines("process.create"))
      if (line.find("/if /f C:\\TEMP\\K7X.INF") != std::string::npos) ++n;
    return n;
  }
};

TEST_F(WizardWalkTest, ButtonStatesAlongTheWalkFollowTheFrameRules) {
  winemu::CreateOptions o;
  o.faults["printui_noop"] = "";  // no printer appears: the run ends silently and the wizard stays
  MakeMachine(o);
  ScriptDriver script;
  ExpectButtons(script, {false, true, false}, "welcome");
  script.Click(IDC_WIZ_NEXT);
  ExpectButtons(script, {true, true, false}, "system and language");
  script.Click(IDC_WIZ_NEXT);
  ExpectButtons(script, {true, false, false}, "printer setting, nothing selected");
  script.Select(IDC_SERIES_LIST, 0);
  ExpectButtons(script, {true, true, false}, "printer setting, series selected");
  script.Click(IDC_WIZ_NEXT);
  ExpectButtons(script, {true, false, true}, "progress");
  script.Wait(500);
  script.Then([this] {
    EXPECT_EQ(InstallRuns(), 1);
    EXPECT_EQ(MessageBoxCount(), 0);  // no printer at all: no message, no quit
    EXPECT_EQ(g_InstallDone, 1);
    EXPECT_NE(winemu::ui::DumpActive().find("pos=100"), std::string::npos);
  });
  script.Click(IDC_WIZ_BACK);
  ExpectButtons(script, {true, true, true}, "back to printer setting");
  script.Then([] { EXPECT_EQ(g_InstallDone, 0); });
  script.Click(IDC_WIZ_BACK);
  ExpectButtons(script, {true, true, true}, "back to system and language");
  script.Click(IDC_WIZ_BACK);
  ExpectButtons(script, {false, true, false}, "back to welcome");
  script.Click(IDC_WIZ_NEXT).Click(IDC_WIZ_NEXT).Click(IDC_WIZ_NEXT);
  script.Wait(500);
  script.Then([this] { EXPECT_EQ(InstallRuns(), 2); });  // the second showing runs it again
  script.Click(IDC_WIZ_FINISH);
  RunProgram();
  EXPECT_EQ(script.Remaining(), 0u);
}

TEST_F(WizardWalkTest, PagesSpeakEnglishOnAnEnglishSystem) {
  ScriptDriver script;
  script.Expect("65535 Static bitmap")  // the picture's id as the language file keys it (IDD138_65535)
      .Expect("1042 Static text \"Welcome to the Printer Driver Setup Wizard\"")
      .Expect("\"&Next\" enabled")
      .Click(IDC_WIZ_NEXT)
      .Expect("1038 Button autoradio \"English\" enabled visible checked")
      .Expect("1071 Button autoradio \"Windows XP\" enabled visible checked")
      .Click(IDC_WIZ_NEXT)
      .Expect("1055 Static text \"Printer Series\"")
      .Expect("items=[\"80mm series\"] sel=-1")
      .Select(IDC_SERIES_LIST, 0)
      .Expect("1019 Edit edit \"80mm series\"")
      .Click(IDC_WIZ_NEXT)
      .Expect("1060 Static text \"Installing the driver...\"")
      .Click(IDC_WIZ_CANCEL);
  RunProgram();
  EXPECT_EQ(script.Remaining(), 0u);
}

// A program folder that cannot be written (a CD, a read-only share): the language files come from
// the user's data folder, so the first run already speaks the system's language. Without any
// writable place the template texts show as the system shows them: on code page 1252 the Chinese
// ones are question marks.
TEST_F(WizardWalkTest, FromAReadOnlyFolderThePagesSpeakTheSystemsLanguage) {
  winemu::CreateOptions o;
  o.faults["readonly_program_dir"] = "";
  MakeMachine(o);
  ScriptDriver english;
  english.Expect("1042 Static text \"Welcome to the Printer Driver Setup Wizard\"").Expect("\"&Next\"").Click(1061);
  RunProgram();
  EXPECT_EQ(english.Remaining(), 0u);

  o.langId = 0x0804;
  MakeMachine(o);
  ScriptDriver chinese;
  chinese.Expect("1042 Static text \"欢迎使用打印机驱动安装程序向导\"").Click(1061);
  RunProgram();
  EXPECT_EQ(chinese.Remaining(), 0u);

  o.langId = 0x0409;
  o.faults["readonly_dir"] = "C:\\Documents and Settings";
  MakeMachine(o);
  ScriptDriver nowhere;
  nowhere.Expect("1042 Static text \"????QLM20?????????????\"").Click(1061);
  RunProgram();
  EXPECT_EQ(nowhere.Remaining(), 0u);
}

TEST_F(WizardWalkTest, PagesSpeakSimplifiedChineseFromTheSecondRunOnAPrcSystem) {
  winemu::CreateOptions o;
  o.langId = 0x0804;
  MakeMachine(o);
  {
    ScriptDriver first;
    first.Expect("Welcome to the Printer Driver Setup Wizard").Click(IDC_WIZ_CANCEL);
    RunProgram();
  }
  ScriptDriver script;
  script.Expect("1042 Static text \"欢迎使用打印机驱动安装程序向导\"")
      .Expect("\"下一步\"")
      .Expect("\"后退\"")
      .Click(IDC_WIZ_NEXT)
      .Expect("1037 Button autoradio \"中文\" enabled visible checked")
      .Expect("1053 Button groupbox \"可选安装系统\"")
      .Click(IDC_WIZ_NEXT)
      .Expect("1039 Button autocheckbox \"设置默认打印机\"")
      .Click(IDC_WIZ_CANCEL);
  RunProgram();
  EXPECT_EQ(script.Remaining(), 0u);
}

TEST_F(WizardWalkTest, FinishOrCancelBeforeTheTimerFiresEndsWithoutInstalling) {
  for (int button : {IDC_WIZ_FINISH, IDC_WIZ_CANCEL}) {
    MakeMachine(winemu::CreateOptions{});
    ScriptDriver script;
    script.Click(IDC_WIZ_NEXT).Click(IDC_WIZ_NEXT).Select(IDC_SERIES_LIST, 0).Click(IDC_WIZ_NEXT).Wait(499).Click(button);
    RunProgram();
    EXPECT_EQ(script.Remaining(), 0u);
    EXPECT_EQ(InstallRuns(), 0) << button;
    EXPECT_FALSE(Exists("C:\\TEMP"));
    EXPECT_TRUE(winemu::spooler::Printers().empty());
  }
}

TEST_F(WizardWalkTest, EscapeInsideAPageDoesNothingAndTheCloseBoxCancels) {
  ScriptDriver script;
  script.Click(IDC_WIZ_NEXT).Click(IDC_WIZ_NEXT).Select(IDC_SERIES_LIST, 0);  // the focus is in the list box of the page
  script.Key("Escape");
  script.Then([this] {
    EXPECT_TRUE(Enabled(IDC_WIZ_NEXT));
    EXPECT_NE(winemu::ui::DumpActive().find("dialog 143 \"\" enabled visible"), std::string::npos);
  });
  script.Close();
  RunProgram();
  EXPECT_EQ(script.Remaining(), 0u);
  EXPECT_EQ(InstallRuns(), 0);
}

TEST_F(WizardWalkTest, KeysAloneWalkThePagesWithTabThroughPageAndFrameAndTheFocusOnTheFirstTabStop) {
  std::vector<int> focus;
  auto note = [&] { focus.push_back(GetDlgCtrlID(GetFocus())); };
  ScriptDriver script;
  script.Then([] { winemu::ui::AltKey('n'); }).Then(note);  // system and language: its first tab stop
  script.Then([] { winemu::ui::AltKey('n'); }).Then(note);  // printer setting: the check box
  for (int i = 0; i < 6; ++i) script.Key("Tab").Then(note);  // the page, the frame's buttons, back
  script.Key("Shift+Tab").Then(note);
  script.Key("Tab").Key("Tab").Key("Down").Then(note);  // the list box selects its first entry
  script.Then([this] { EXPECT_EQ(Now(), (Buttons{true, true, false})); });
  script.Key("Escape").Then(note);  // inside a page: ignored
  script.Then([] { winemu::ui::AltKey('n'); }).Wait(500).Answer();
  RunProgram();
  EXPECT_EQ(focus, (std::vector<int>{IDC_LANG_ENGLISH, IDC_SET_DEFAULT, IDC_PRINTER_NAME, IDC_SERIES_LIST, IDC_WIZ_BACK, IDC_WIZ_CANCEL,
                                      IDC_SET_DEFAULT, IDC_PRINTER_NAME, IDC_SET_DEFAULT, IDC_SERIES_LIST, IDC_SERIES_LIST}));
  EXPECT_EQ(InstallRuns(), 1);
}

TEST_F(WizardWalkTest, TheAboutBoxOpensFromTheSystemMenuAndReturnsToTheSamePage) {
  ScriptDriver script;
  // The last item, after a separator: string 101 is Chinese, which code page 1252 cannot show.
  script.Expect("| - | 16 \"?? ???\?(&A)...\"");
  script.Click(IDC_WIZ_NEXT);
  script.SysMenu(16);
  // Its template texts too (no language file has them).
  script.Expect("dialog 100 \"?\? ?\?\?\?\?\?\"").Expect("1062 Static text \"?\?\?\?\?\? 1.0 ?\"");
  script.Click(1);
  script.Expect("dialog 137 \"\" enabled visible");
  script.Then([this] { EXPECT_EQ(Now(), (Buttons{true, true, false})); });
  script.Click(IDC_WIZ_CANCEL);
  RunProgram();
  EXPECT_EQ(script.Remaining(), 0u);
}

}  // namespace

namespace {

TEST_F(WizardWalkTest, TheSeriesSelectedWithTheKeyboardEnablesNextAsTheMouseDoes) {
  ScriptDriver script;
  script.Click(IDC_WIZ_NEXT).Click(IDC_WIZ_NEXT);
  script.Click(IDC_SET_DEFAULT).Click(IDC_SET_DEFAULT);  // the check box takes the focus; its state is back as it was
  script.Then([this] { EXPECT_FALSE(Enabled(IDC_WIZ_NEXT)); });
  script.Key("Tab").Key("Tab");  // to the name box, then to the list
  script.Expect("1006 ListBox listbox \"\" enabled visible focus").Expect("sel=-1");
  script.Key("Down");
  script.Expect("sel=0").Expect("1019 Edit edit \"80mm series\"").Expect("1039 Button autocheckbox \"Default Printer\" enabled visible checked");
  script.Then([this] { EXPECT_TRUE(Enabled(IDC_WIZ_NEXT)); });
  script.Click(IDC_WIZ_CANCEL);
  RunProgram();
  EXPECT_EQ(script.Remaining(), 0u);
}

}  // namespace
