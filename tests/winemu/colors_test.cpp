// What each control is drawn with: the WM_CTLCOLOR* message it sends its parent when it paints,
// the brush the parent answers and the DC's colours, as recorded per drawing.
#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace k7x::test {
namespace {

class ColorsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    log.handler = [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam) -> INT_PTR {
      if (msg < WM_CTLCOLORMSGBOX || msg > WM_CTLCOLORSTATIC) return 0;
      auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(0, 0, 0));
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_READONLY) {
        if (!white) white = CreateSolidBrush(RGB(255, 255, 255));
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<INT_PTR>(white);
      }
      SetBkMode(dc, TRANSPARENT);
      return 0;  // the dialog's default brush
    };
    dlg = Modeless(IDD_CONTROLS);
    UpdateWindow(dlg);
  }
  winemu::ui::Drawing Drawn(int id) {
    auto d = winemu::ui::LastDrawing(GetDlgItem(dlg, id));
    EXPECT_TRUE(d.has_value()) << id;
    return d.value_or(winemu::ui::Drawing{});
  }
  HWND dlg = nullptr;
  HBRUSH white = nullptr;
};

TEST_F(ColorsTest, AReadOnlyEditAsksForStaticColoursAndIsDrawnWithTheAnsweredBrush) {
  auto d = Drawn(IDC_READONLY);
  EXPECT_EQ(d.ctlColorMessage, static_cast<UINT>(WM_CTLCOLORSTATIC));
  EXPECT_EQ(d.brush, white);
  EXPECT_EQ(d.bkColor, RGB(255, 255, 255));
  EXPECT_EQ(d.bkMode, OPAQUE);
  EXPECT_EQ(d.textColor, RGB(0, 0, 0));
  EXPECT_EQ(winemu::gdi::BrushColor(d.brush), RGB(255, 255, 255));
}

TEST_F(ColorsTest, EachKindOfControlAsksWithItsOwnMessage) {
  EXPECT_EQ(Drawn(IDC_EDIT).ctlColorMessage, static_cast<UINT>(WM_CTLCOLOREDIT));
  EXPECT_EQ(Drawn(IDC_LIST).ctlColorMessage, static_cast<UINT>(WM_CTLCOLORLISTBOX));
  EXPECT_EQ(Drawn(IDC_TEXT).ctlColorMessage, static_cast<UINT>(WM_CTLCOLORSTATIC));
  EXPECT_EQ(Drawn(IDC_CHECK).ctlColorMessage, static_cast<UINT>(WM_CTLCOLORSTATIC));
  EXPECT_EQ(Drawn(IDC_RADIO1).ctlColorMessage, static_cast<UINT>(WM_CTLCOLORSTATIC));
  EXPECT_EQ(Drawn(IDOK).ctlColorMessage, static_cast<UINT>(WM_CTLCOLORBTN));
  EXPECT_EQ(Drawn(IDC_PROGRESS).ctlColorMessage, 0u);  // the progress bar keeps its own colours
  // Unanswered, the default: the window colour for edits and list boxes, the face colour otherwise.
  EXPECT_EQ(Drawn(IDC_EDIT).brush, GetSysColorBrush(COLOR_WINDOW));
  EXPECT_EQ(Drawn(IDC_EDIT).bkMode, TRANSPARENT);
  EXPECT_EQ(Drawn(IDC_TEXT).brush, GetSysColorBrush(COLOR_3DFACE));
  EXPECT_TRUE(winemu::gdi::IsStock(Drawn(IDC_TEXT).brush));  // a system brush, not the program's
  // The dialog erases its background with the brush of WM_CTLCOLORDLG.
  auto self = winemu::ui::LastDrawing(dlg);
  ASSERT_TRUE(self.has_value());
  EXPECT_EQ(self->ctlColorMessage, static_cast<UINT>(WM_CTLCOLORDLG));
  EXPECT_EQ(self->brush, GetSysColorBrush(COLOR_3DFACE));
  EXPECT_FALSE(winemu::ui::LastDrawing(GetDlgItem(dlg, IDC_HIDDEN)).has_value());  // never drawn
}

TEST_F(ColorsTest, ADisabledEditAsksForStaticColours) {
  EnableWindow(GetDlgItem(dlg, IDC_EDIT), FALSE);
  UpdateWindow(dlg);
  EXPECT_EQ(Drawn(IDC_EDIT).ctlColorMessage, static_cast<UINT>(WM_CTLCOLORSTATIC));
}

TEST_F(ColorsTest, RedrawingAsksAgainWithoutMakingObjects) {
  int made = winemu::gdi::CurrentStats().brushesCreated;
  int drawn = winemu::ui::DrawingCount(GetDlgItem(dlg, IDC_READONLY));
  for (int i = 0; i < 3; ++i) {
    InvalidateRect(dlg, nullptr, TRUE);
    UpdateWindow(dlg);
  }
  EXPECT_EQ(made, 1);
  EXPECT_EQ(winemu::gdi::CurrentStats().brushesCreated, 1);
  EXPECT_EQ(winemu::ui::DrawingCount(GetDlgItem(dlg, IDC_READONLY)), drawn + 3);
  EXPECT_EQ(Drawn(IDC_READONLY).brush, white);
}

}  // namespace
}  // namespace k7x::test
