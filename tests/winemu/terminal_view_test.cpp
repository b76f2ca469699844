// What the terminal shows at its size: the drawing scrolled to keep the focus and an open message
// box in sight, the box centred over its owner, a box wider than the terminal cut with a mark, the
// key help within the width, and one line when the terminal is too small.
#include <gtest/gtest.h>

#include "ui_fixture.h"
#include "winemu/ui/terminal_view.h"

namespace k7x::test {
namespace {

using winemu::ui::TerminalPicture;
using winemu::ui::ViewOffset;

const std::vector<std::string> kHelp = {"Tab: next", "Space: press", "Esc: cancel"};

// The line of `lines` holding `text`, or -1.
int RowOf(const std::vector<std::string>& lines, const std::string& text) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].find(text) != std::string::npos) return static_cast<int>(i);
  return -1;
}

int ColumnOf(const std::string& line, const std::string& text) {
  size_t at = line.find(text);
  return at == std::string::npos ? -1 : winemu::ui::TextWidth(line.substr(0, at));
}

class TerminalViewTest : public UiTest {
 protected:
  // The picture at `cols` x `rows` while a message box over the active dialog is open.
  static std::vector<std::string> WithBoxOpen(int cols, int rows, const std::string& text, const char* caption, UINT style) {
    std::vector<std::string> lines;
    winemu::ui::ScriptDriver script;
    script.Then([&] {
      ViewOffset offset;
      lines = TerminalPicture(cols, rows, kHelp, "", offset).Lines();
    }).Answer();
    MessageBoxA(GetActiveWindow(), text.c_str(), caption, style);
    return lines;
  }
};

TEST_F(TerminalViewTest, TheViewFollowsTheFocusMovingNoMoreThanItMust) {
  HWND dlg = Modeless(IDD_CONTROLS);  // taller than the 15 lines in sight at 80x16 over the help
  SetDlgItemTextA(dlg, IDC_EDIT, "typed");
  ViewOffset offset;
  SetFocus(GetDlgItem(dlg, IDOK));
  std::vector<std::string> lines = TerminalPicture(80, 16, kHelp, "", offset).Lines();
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[15], "Tab: next   Space: press   Esc: cancel");
  EXPECT_EQ(RowOf(lines, "▸[=OK=]"), 13);  // scrolled just so far that the button (2 lines) is in sight
  EXPECT_EQ(RowOf(lines, "╔═ Controls"), -1);
  SetFocus(GetDlgItem(dlg, IDC_CHECK));
  lines = TerminalPicture(80, 16, kHelp, "", offset).Lines();
  EXPECT_GE(RowOf(lines, "▸[ ] Check"), 0);
  EXPECT_EQ(RowOf(lines, "[=OK=]"), 13);  // in sight already: the view stays
  SetFocus(GetDlgItem(dlg, IDC_EDIT));
  lines = TerminalPicture(80, 16, kHelp, "", offset).Lines();
  EXPECT_EQ(RowOf(lines, "▸[typed_"), 0);
  EXPECT_EQ(RowOf(lines, "[=OK=]"), -1);
}

TEST_F(TerminalViewTest, AMessageBoxIsCentredOverItsOwnerAndWhollyInSight) {
  Modeless(IDD_CONTROLS);
  std::vector<std::string> lines = WithBoxOpen(100, 16, "Done", "Setup", MB_OK);
  int top = RowOf(lines, "╔═ Setup");
  ASSERT_GE(top, 0);
  int left = ColumnOf(lines[static_cast<size_t>(top)], "╔═ Setup");
  int right = ColumnOf(lines[static_cast<size_t>(top)], "╗");
  int owner = ColumnOf(lines[0], "╔═ Controls");
  int ownerRight = ColumnOf(lines[0], "╗");
  ASSERT_GE(owner, 0);
  EXPECT_LE(std::abs((left - owner) - (ownerRight - right)), 1) << left << " " << right;
  EXPECT_GE(RowOf(lines, "OK"), top);  // its buttons too
}

TEST_F(TerminalViewTest, ABoxWiderThanTheTerminalIsCutWithAMarkAndATooSmallTerminalGetsOneLine) {
  Modeless(IDD_CONTROLS);
  std::vector<std::string> lines = WithBoxOpen(80, 20, std::string(60, 'W'), "Wide", MB_OK | MB_ICONINFORMATION);
  int top = RowOf(lines, "╔═ Wide");
  ASSERT_GE(top, 0);
  EXPECT_EQ(ColumnOf(lines[static_cast<size_t>(top)], "╔═ Wide"), 0);
  EXPECT_EQ(lines[static_cast<size_t>(top)].substr(lines[static_cast<size_t>(top)].size() - 1), ">");
  for (const std::string& line : lines) EXPECT_LE(winemu::ui::TextWidth(line), 80) << line;

  ViewOffset offset;
  EXPECT_EQ(TerminalPicture(79, 30, kHelp, "", offset).Text(),
            "The wizard needs at least 80x16; this terminal is 79x30. Ctrl+C stops.\n" +
                std::string(29, '\n'));
}

TEST(TerminalHelp, WrapsBetweenItemsWithinTheWidth) {
  EXPECT_EQ(winemu::ui::WrapHelp({"aaaa", "bb", "cccccc"}, 10), (std::vector<std::string>{"aaaa   bb", "cccccc"}));
}

}  // namespace
}  // namespace k7x::test
