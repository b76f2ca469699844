// The terminal's drawing: a dialog drawn onto a grid of cells as a person sees it, message boxes
// over their owner, wide characters in two cells, the focus, the selection and the mnemonics.
#include <gtest/gtest.h>

#include <commctrl.h>

#include "ui_fixture.h"
#include "winemu/ui/screen.h"

namespace k7x::test {
namespace {

using winemu::ui::Screen;

class ScreenTest : public UiTest {
 protected:
  static Screen Draw(int cols = 64, int rows = 26) {
    Screen screen(cols, rows);
    winemu::ui::DrawWindows(screen);
    return screen;
  }
  static int ColumnOf(const std::string& line, const std::string& text) {
    size_t at = line.find(text);
    return at == std::string::npos ? -1 : winemu::ui::TextWidth(line.substr(0, at));
  }
};

TEST_F(ScreenTest, ADialogIsDrawnWithItsControlsInPlaceAndTheirStates) {
  HWND dlg = Modeless(IDD_CONTROLS);
  SetDlgItemTextA(dlg, IDC_EDIT, "typed");
  CheckRadioButton(dlg, IDC_RADIO1, IDC_RADIO3, IDC_RADIO2);
  CheckDlgButton(dlg, IDC_CHECK, BST_CHECKED);
  SendDlgItemMessageA(dlg, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("beta"));
  SendDlgItemMessageA(dlg, IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("alpha"));
  SendDlgItemMessageA(dlg, IDC_LIST, LB_SETCURSEL, 1, 0);
  SendDlgItemMessageA(dlg, IDC_PROGRESS, PBM_SETPOS, 50, 0);
  SetDlgItemTextA(dlg, IDCANCEL, "&Cancel");
  SetFocus(GetDlgItem(dlg, IDC_CHECK));
  Screen screen = Draw();
  EXPECT_EQ(screen.Text(), R"(╔═ Controls ═══════════════════════════════════════════════╗
║                                                          ║
║                                                          ║
║  [typed_______________________]   ┌───────────────────┐  ║
║                                   │  alpha            │  ║
║  ( ) One                          │» beta             │  ║
║                                   │                   │  ║
║  (•) Two                          │                   │  ║
║                                   └───────────────────┘  ║
║  ( ) Three                                               ║
║                                   [                   ]  ║
║ ▸[x] Check                                               ║
║  Label                                                   ║
║                                    [ (Off) ]             ║
║  [██████████████░░░░░░░░░░░░░░]                          ║
║                                                          ║
║                                                          ║
║──────────────────────────────────────────────────────────║
║                                                          ║
║                              [=OK=]        [ Cancel ]    ║
║                                                          ║
╚══════════════════════════════════════════════════════════╝
)" + std::string(4, '\n'));
  std::vector<std::string> lines = screen.Lines();
  EXPECT_EQ(screen.Attribute(ColumnOf(lines[11], "[x]"), 11), 'f');
  EXPECT_EQ(screen.Attribute(ColumnOf(lines[5], "» beta"), 5), 's');
  EXPECT_EQ(screen.Attribute(ColumnOf(lines[13], "(Off)"), 13), 'd');
  // The mnemonic is underlined for the terminal: "C" of Cancel.
  std::string ansi = screen.Ansi();
  EXPECT_NE(ansi.find("\x1b[4mC\x1b[0mancel"), std::string::npos);
}

TEST_F(ScreenTest, AMessageBoxIsDrawnOverItsOwnerAndWideTextTakesTwoCells) {
  MakeMachineFor(0x0804, 936);
  HWND dlg = Modeless(IDD_CONTROLS);
  std::vector<std::string> lines;
  winemu::ui::ScriptDriver script;
  script.Then([&] { lines = Draw(80, 26).Lines(); }).Answer();
  MessageBoxA(dlg, "\xCD\xEA\xB3\xC9", "Setup", MB_OK | MB_ICONINFORMATION);  // 完成 in GBK
  ASSERT_FALSE(lines.empty());
  bool boxOverDialog = false, wideText = false;
  for (const std::string& line : lines) {
    if (line.find("╔═ Setup") != std::string::npos && line.find("║") < line.find("╔═ Setup")) boxOverDialog = true;
    if (line.find("(i)") != std::string::npos && line.find("完成") != std::string::npos) wideText = true;
  }
  EXPECT_TRUE(boxOverDialog);
  EXPECT_TRUE(wideText);
}

TEST_F(ScreenTest, AMessageBoxIconIsDrawnAsItsSign) {
  HWND dlg = Modeless(IDD_CONTROLS);
  for (auto [style, sign] : {std::pair{MB_ICONERROR, "(x)"}, {MB_ICONWARNING, "(!)"}, {MB_ICONQUESTION, "(?)"},
                             {MB_ICONINFORMATION, "(i)"}}) {
    std::string drawn;
    winemu::ui::ScriptDriver script;
    script.Then([&] {
      for (const std::string& line : Draw(80, 26).Lines())
        if (line.find("Sign") != std::string::npos) drawn = line;
    }).Answer();
    MessageBoxA(dlg, "Sign", "Setup", MB_OK | style);
    EXPECT_LT(drawn.find(sign), drawn.find("Sign")) << sign << " in: " << drawn;  // left of the text
  }
}

TEST_F(ScreenTest, PutClipsAtTheEdgeAndAWideCharacterHalfOverwrittenLeavesABlank) {
  Screen screen(6, 2);
  EXPECT_EQ(screen.Put(0, 0, "完成完成"), 6);
  screen.Put(1, 0, "x");
  screen.Put(4, 1, "完成");
  EXPECT_EQ(screen.Lines(), (std::vector<std::string>{" x成完", "    完"}));
}

}  // namespace
}  // namespace k7x::test
