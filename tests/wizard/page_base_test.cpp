// The page base: colour rules for each kind of control, the suppressed background erase, the
// banner layout, the white brush and the page contract's debug assertions.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "framework/WinApp.h"
#include "winemu/gdi32/gdi.h"
#include "winemu/ui/ui.h"
#include "wizard_fixture.h"

namespace k7x::test {
namespace {

constexpr COLORREF kProbeText = RGB(200, 0, 0);
constexpr COLORREF kProbeBack = RGB(0, 0, 200);

// What a WM_CTLCOLOR* answer leaves: the brush and the drawing context's text colour, background
// colour and background mode.
struct Colouring {
  HBRUSH brush;
  COLORREF text;
  COLORREF back;
  int mode;
};

class PageColours : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    AddPage(IDD_COLOUR_PAGE, "colours");
    AddPage(IDD_TEXT_PAGE, "texts");
    Open();
    page = pages[0]->m_hWnd;
    dc = ::GetDC(page);
  }
  void TearDown() override {
    ::ReleaseDC(page, dc);
    FrameTest::TearDown();
  }

  // Sends `message` about `control` to `to` with a drawing context primed with probe colours.
  Colouring Ask(HWND to, UINT message, HWND control) {
    ::SetTextColor(dc, kProbeText);
    ::SetBkColor(dc, kProbeBack);
    ::SetBkMode(dc, OPAQUE);
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        ::SendMessageA(to, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    return {brush, ::GetTextColor(dc), ::GetBkColor(dc), ::GetBkMode(dc)};
  }
  // The platform's own answer for the same message.
  Colouring Platform(UINT message, HWND control) {
    ::SetTextColor(dc, kProbeText);
    ::SetBkColor(dc, kProbeBack);
    ::SetBkMode(dc, OPAQUE);
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        ::DefWindowProcA(page, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    return {brush, ::GetTextColor(dc), ::GetBkColor(dc), ::GetBkMode(dc)};
  }
  HWND Control(int id) const { return ::GetDlgItem(page, id); }

  HWND page = nullptr;
  HDC dc = nullptr;
};

COLORREF BrushColour(HBRUSH brush) {
  LOGBRUSH lb = {};
  EXPECT_EQ(::GetObjectA(brush, sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
  return lb.lbColor;
}

TEST_F(PageColours, NameBoxIsBlackOnOpaqueWhiteWithTheSharedBrush) {
  for (UINT message : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC}) {
    SCOPED_TRACE(message);
    Colouring c = Ask(page, message, Control(IDC_NAME_BOX));
    EXPECT_EQ(c.text, RGB(0, 0, 0));
    EXPECT_EQ(c.back, RGB(255, 255, 255));
    EXPECT_EQ(c.mode, OPAQUE);
    EXPECT_NE(c.brush, nullptr);
    EXPECT_NE(c.brush, pages[0]->m_brushWhite);
    EXPECT_NE(c.brush, Platform(message, Control(IDC_NAME_BOX)).brush);
  }
}

TEST_F(PageColours, TheSharedBrushIsOneForAllPagesAndDrawings) {
  HBRUSH first = Ask(page, WM_CTLCOLORSTATIC, Control(IDC_NAME_BOX)).brush;
  EXPECT_EQ(Ask(page, WM_CTLCOLOREDIT, Control(IDC_NAME_BOX)).brush, first);
  EXPECT_EQ(Ask(page, WM_CTLCOLORSTATIC, Control(IDC_NAME_BOX)).brush, first);
  frame->ShowPageAtIndex(1);
  HWND other = pages[1]->m_hWnd;
  EXPECT_EQ(Ask(other, WM_CTLCOLORSTATIC, ::GetDlgItem(other, IDC_NAME_BOX)).brush, first);
  EXPECT_NE(pages[0]->m_brushWhite, pages[1]->m_brushWhite);
}

// The shared brush lives as long as the process, which in this test program outlives the machine
// it was made on: its making is watched in a process of its own.
TEST_F(PageColours, TheSharedBrushIsMadeOnceAndIsSolidWhite) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        frame->ShowPageAtIndex(1);  // both pages exist, each with its own brush
        HWND other = pages[1]->m_hWnd;
        HBRUSH shared = Ask(page, WM_CTLCOLORSTATIC, Control(IDC_NAME_BOX)).brush;
        int made = winemu::gdi::CurrentStats().brushesCreated;
        for (int i = 0; i < 5; ++i) {
          Ask(page, WM_CTLCOLOREDIT, Control(IDC_NAME_BOX));
          Ask(other, WM_CTLCOLORSTATIC, ::GetDlgItem(other, IDC_NAME_BOX));
        }
        bool once = winemu::gdi::CurrentStats().brushesCreated == made;
        bool white = winemu::gdi::BrushColor(shared) == RGB(255, 255, 255);
        std::fprintf(stderr, "once=%d white=%d\n", once, white);
        std::exit(once && white ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "once=1 white=1");
}

TEST_F(PageColours, OtherEditsAndStaticsAreBlackOnTransparentWithTheDefaultBrush) {
  struct Case {
    UINT message;
    int id;
  };
  for (Case k : {Case{WM_CTLCOLOREDIT, IDC_OTHER_EDIT}, Case{WM_CTLCOLORSTATIC, IDC_OTHER_STATIC},
                 Case{WM_CTLCOLORLISTBOX, IDC_SERIES_LIST}, Case{WM_CTLCOLORSCROLLBAR, IDC_SCROLL}}) {
    SCOPED_TRACE(k.id);
    Colouring c = Ask(page, k.message, Control(k.id));
    EXPECT_EQ(c.text, RGB(0, 0, 0));
    EXPECT_EQ(c.mode, TRANSPARENT);
    EXPECT_EQ(c.brush, Platform(k.message, Control(k.id)).brush);
  }
}

TEST_F(PageColours, ListBoxAndScrollBarFollowTheRuleWhateverTheirId) {
  // The list box and scroll bar rule has no exception for 1019: a list box with that id draws
  // transparent with the default brush.
  HWND list = Control(IDC_SERIES_LIST);
  Colouring c = Ask(page, WM_CTLCOLORLISTBOX, Control(IDC_NAME_BOX));
  EXPECT_EQ(c.mode, TRANSPARENT);
  EXPECT_EQ(c.brush, Platform(WM_CTLCOLORLISTBOX, Control(IDC_NAME_BOX)).brush);
  EXPECT_EQ(Ask(page, WM_CTLCOLORSCROLLBAR, list).mode, TRANSPARENT);
}

TEST_F(PageColours, ButtonsAreBlackOnWhiteAndTheBannerGetsThePageBrush) {
  Colouring banner = Ask(page, WM_CTLCOLORBTN, Control(IDC_BANNER));
  EXPECT_EQ(banner.text, RGB(0, 0, 0));
  EXPECT_EQ(banner.back, RGB(255, 255, 255));
  EXPECT_EQ(banner.brush, pages[0]->m_brushWhite);

  Colouring check = Ask(page, WM_CTLCOLORBTN, Control(IDC_DEFAULT_CHECK));
  EXPECT_EQ(check.text, RGB(0, 0, 0));
  EXPECT_EQ(check.back, RGB(255, 255, 255));
  EXPECT_EQ(check.mode, OPAQUE);
  EXPECT_EQ(check.brush, Platform(WM_CTLCOLORBTN, Control(IDC_DEFAULT_CHECK)).brush);
}

TEST_F(PageColours, ThePageItselfGetsItsWhiteBrushAndMessageBoxesTheDefault) {
  Colouring dialog = Ask(page, WM_CTLCOLORDLG, page);
  Colouring platformDialog = Platform(WM_CTLCOLORDLG, page);
  EXPECT_EQ(dialog.brush, pages[0]->m_brushWhite);
  EXPECT_EQ(dialog.text, platformDialog.text);  // the drawing context is left as the default left it
  EXPECT_EQ(dialog.back, platformDialog.back);
  EXPECT_EQ(dialog.mode, platformDialog.mode);

  Colouring box = Ask(page, WM_CTLCOLORMSGBOX, page);
  Colouring platformBox = Platform(WM_CTLCOLORMSGBOX, page);
  EXPECT_EQ(box.brush, platformBox.brush);
  EXPECT_EQ(box.text, platformBox.text);
  EXPECT_EQ(box.back, platformBox.back);
  EXPECT_EQ(box.mode, platformBox.mode);
}

TEST_F(PageColours, ShownControlsAreDrawnWithTheRules) {
  using winemu::ui::LastDrawing;
  PumpMessages();  // the frame became visible after its initialisation: the paints are due
  std::optional<winemu::ui::Drawing> name = LastDrawing(Control(IDC_NAME_BOX));
  ASSERT_TRUE(name.has_value());
  EXPECT_EQ(name->ctlColorMessage, static_cast<UINT>(WM_CTLCOLORSTATIC));  // a read-only edit box
  EXPECT_EQ(name->textColor, RGB(0, 0, 0));
  EXPECT_EQ(name->bkColor, RGB(255, 255, 255));
  EXPECT_EQ(name->bkMode, OPAQUE);
  EXPECT_EQ(name->brush, Ask(page, WM_CTLCOLORSTATIC, Control(IDC_NAME_BOX)).brush);

  // Group and check boxes report the static kind, as on Windows: the banner is drawn as a static.
  for (int id : {IDC_OTHER_EDIT, IDC_OTHER_STATIC, IDC_SERIES_LIST, IDC_BANNER, IDC_DEFAULT_CHECK}) {
    SCOPED_TRACE(id);
    std::optional<winemu::ui::Drawing> d = LastDrawing(Control(id));
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->textColor, RGB(0, 0, 0));
    EXPECT_EQ(d->bkMode, TRANSPARENT);
    EXPECT_NE(d->brush, pages[0]->m_brushWhite);
  }
}

TEST_F(PageColours, ThePageBrushIsSolidWhite) { EXPECT_EQ(BrushColour(pages[0]->m_brushWhite), RGB(255, 255, 255)); }

// Records whether the page asked for its own background brush, which erasing would need.
class CountingPage : public TestPage {
 public:
  using TestPage::TestPage;
  int dialogBrushQueries = 0;

 protected:
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) override {
    if (kind == CTLCOLOR_DLG) ++dialogBrushQueries;
    return TestPage::OnCtlColor(dc, control, kind);
  }
};

TEST_F(FrameTest, EraseReportsDoneWithoutPainting) {
  auto& counting = Add(std::make_unique<CountingPage>(IDD_PAGE_A, "A", log));
  Open();
  HDC dc = ::GetDC(counting.m_hWnd);
  EXPECT_NE(::SendMessageA(counting.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
  EXPECT_EQ(counting.dialogBrushQueries, 0);
  ::ReleaseDC(counting.m_hWnd, dc);
}

TEST_F(FrameTest, BannerSpansTheMainWindowAndTheLogoStandsAtItsRight) {
  AddPage(IDD_COLOUR_PAGE, "banner");
  Open();
  HWND page = pages[0]->m_hWnd;
  HWND banner = ::GetDlgItem(page, IDC_BANNER);
  HWND logo = ::GetDlgItem(page, IDC_LOGO);
  auto inPage = [page](HWND control) {
    RECT r;
    ::GetWindowRect(control, &r);
    ::ScreenToClient(page, reinterpret_cast<POINT*>(&r.left));
    ::ScreenToClient(page, reinterpret_cast<POINT*>(&r.right));
    return r;
  };
  RECT bannerBefore = inPage(banner);
  RECT logoBefore = inPage(logo);

  pages[0]->ApplyBannerLayout();

  RECT outer;
  ::GetWindowRect(Frame(), &outer);
  ::ScreenToClient(Frame(), reinterpret_cast<POINT*>(&outer.left));
  ::ScreenToClient(Frame(), reinterpret_cast<POINT*>(&outer.right));
  RECT client;
  ::GetClientRect(Frame(), &client);
  ASSERT_LT(outer.top, 0);  // the caption lies above the client area
  ASSERT_LE(outer.left, 0);
  ASSERT_GE(outer.right, client.right);

  RECT b = inPage(banner);
  EXPECT_EQ(b.left, outer.left);
  EXPECT_EQ(b.top, outer.top);
  EXPECT_EQ(b.right, outer.right);
  EXPECT_EQ(b.bottom, bannerBefore.bottom);

  RECT l = inPage(logo);
  EXPECT_EQ(l.right, outer.right - 5);
  EXPECT_EQ(l.top, 18);
  EXPECT_EQ(l.right - l.left, logoBefore.right - logoBefore.left);
  EXPECT_EQ(l.bottom - l.top, logoBefore.bottom - logoBefore.top);
}

#ifndef NDEBUG
using PageContractDeathTest = FrameTest;

TEST_F(PageContractDeathTest, PageTemplatesMustBeBorderlessDisabledChildren) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (UINT bad : {IDD_BORDERED_PAGE, IDD_ENABLED_PAGE, IDD_POPUP_PAGE}) {
    SCOPED_TRACE(bad);
    EXPECT_DEATH(
        {
          AddPage(bad, "bad");
          Open();
        },
        "Assertion failed");
  }
}

TEST_F(PageContractDeathTest, TheFrameNeedsItsPlaceholder) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  AddPage(IDD_PAGE_A, "A");
  EXPECT_DEATH(Open(IDD_TEST_FRAME_NO_PLACEHOLDER), "Assertion failed");
  CNewWizDialog unset(IDD_TEST_FRAME);
  unset.AppendPage(pages[0].get(), IDD_PAGE_A);
  EXPECT_DEATH(unset.Create(IDD_TEST_FRAME, nullptr), "Assertion failed.*m_nPlaceholderID");
}

TEST_F(PageContractDeathTest, TheFrameNeedsPages) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(Open(), "Assertion failed");
}
#endif

}  // namespace
}  // namespace k7x::test
