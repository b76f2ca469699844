// The predefined controls as a user and the program see them: radio groups, check boxes, list
// boxes, the progress bar, edits, pictures.
#include <gtest/gtest.h>

#include <commctrl.h>

#include "ui_fixture.h"

namespace k7x::test {
namespace {

using winemu::ui::ScriptDriver;

class ControlsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    dlg = Modeless(IDD_CONTROLS);
    ASSERT_NE(dlg, nullptr);
    log.Take();
  }
  LRESULT Check(int id) { return SendDlgItemMessageA(dlg, id, BM_GETCHECK, 0, 0); }
  std::string Checks() {
    std::string s;
    for (int id : {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3}) s += Check(id) == BST_CHECKED ? "x" : "-";
    return s;
  }
  std::vector<std::string> Commands() { return log.Matching("command"); }
  HWND dlg = nullptr;
};

TEST_F(ControlsTest, AClickOnAnAutomaticRadioButtonChecksItAndUnchecksTheRestOfItsGroup) {
  CheckDlgButton(dlg, IDC_CHECK, BST_CHECKED);  // another group: untouched
  ScriptDriver script;
  script.Click(IDC_RADIO2).Then([&] { EXPECT_EQ(Checks(), "-x-"); }).Click(IDC_RADIO3);
  RunScript(dlg, script);
  EXPECT_EQ(Checks(), "--x");
  EXPECT_EQ(Check(IDC_CHECK), BST_CHECKED);
  auto commands = Commands();
  ASSERT_GE(commands.size(), 2u);
  EXPECT_EQ(commands[commands.size() - 1], "command 303 0");  // BN_CLICKED after the check
  // The tab stop follows the checked button.
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(dlg, IDC_RADIO3), GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongA(GetDlgItem(dlg, IDC_RADIO1), GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_RADIO3));
}

TEST_F(ControlsTest, ACheckBoxTogglesOnEachClickAndOnTheSpaceBar) {
  ScriptDriver script;
  script.Click(IDC_CHECK).Then([&] { EXPECT_EQ(Check(IDC_CHECK), BST_CHECKED); }).Key("Space");
  RunScript(dlg, script);
  EXPECT_EQ(Check(IDC_CHECK), BST_UNCHECKED);
  EXPECT_EQ(log.Matching("command 304"), (std::vector<std::string>{"command 304 0", "command 304 0"}));
}

TEST_F(ControlsTest, ASortedListBoxKeepsOrderAndNotifiesSelectionsByMouseAndKeys) {
  HWND list = GetDlgItem(dlg, IDC_LIST);
  for (const char* s : {"pear", "Apple", "fig"}) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("banana")), 3);
  char text[32];
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, "Apple");
  EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 2, 0), 4);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), 1);  // by the program: no notification
  EXPECT_TRUE(Commands().empty());
  ScriptDriver script;
  script.Select(IDC_LIST, 2).Then([&] { EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2); }).Key("Down").Key("Home");
  RunScript(dlg, script);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(log.Matching("command 305 1"), std::vector<std::string>(3, "command 305 1"));  // LBN_SELCHANGE each time
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ControlsTest, TheProgressBarRunsFromZeroToAHundredUnlessToldOtherwise) {
  HWND bar = GetDlgItem(dlg, IDC_PROGRESS);
  PBRANGE range{};
  EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)), 0);
  EXPECT_EQ(range.iHigh, 100);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(SendMessageA(bar, PBM_SETPOS, 50, 0), 0);
  EXPECT_EQ(SendMessageA(bar, PBM_SETPOS, 150, 0), 50);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 10)), MAKELONG(0, 100));
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 10);
}

TEST_F(ControlsTest, AReadOnlyEditIgnoresTypingButNotTheProgram) {
  HWND edit = GetDlgItem(dlg, IDC_READONLY);
  SendMessageA(edit, WM_CHAR, 'x', 0);
  EXPECT_EQ(Text(edit), "");
  SetWindowTextA(edit, "80mm series");
  EXPECT_EQ(Text(edit), "80mm series");
  EXPECT_EQ(GetWindowTextLengthA(edit), 11);
  SendMessageA(edit, EM_SETREADONLY, FALSE, 0);
  EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
  SendMessageA(edit, WM_CHAR, '!', 0);
  EXPECT_EQ(Text(edit), "!80mm series");  // typed at the caret, which a new text puts at the start
}

TEST_F(ControlsTest, PicturesTakeTheSizeOfTheirImages) {
  HWND images = Modeless(IDD_IMAGES);
  HWND picture = GetDlgItem(images, IDC_PICTURE);
  auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP bm{};
  ASSERT_EQ(GetObjectA(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 40);
  EXPECT_EQ(bm.bmHeight, 60);
  RECT client{};
  GetClientRect(picture, &client);
  EXPECT_EQ(client.right, 40);  // whatever the template's 20 x 20 units; the border lies outside
  EXPECT_EQ(client.bottom, 60);
  RECT icon = RectIn(GetDlgItem(images, IDC_ICON), images);
  EXPECT_EQ(icon.right - icon.left, GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(icon.bottom - icon.top, 32);
  EXPECT_EQ(icon.left, 60);  // the position stays the template's
}

}  // namespace
}  // namespace k7x::test
