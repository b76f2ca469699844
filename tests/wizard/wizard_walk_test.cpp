// The frame's button rules and page placement along walks through wizards of test pages.
#include <gtest/gtest.h>

#include "wizard_fixture.h"

namespace k7x::test {
namespace {

using WizardWalk = FrameTest;

RECT WindowRectInClient(HWND hWnd, HWND client) {
  RECT r;
  ::GetWindowRect(hWnd, &r);
  ::ScreenToClient(client, reinterpret_cast<POINT*>(&r.left));
  ::ScreenToClient(client, reinterpret_cast<POINT*>(&r.right));
  return r;
}

TEST_F(WizardWalk, ButtonStatesFollowTheTableThereAndBack) {
  AddFourPages();
  pages[2]->disableNextAtInit = TRUE;  // page C waits for a selection
  Open();
  EXPECT_EQ(Current(), "A");
  EXPECT_EQ(Buttons(), "off on off");

  Click(IDC_NEXT);
  EXPECT_EQ(Current(), "B");
  EXPECT_EQ(Buttons(), "on on off");

  Click(IDC_NEXT);
  EXPECT_EQ(Current(), "C");
  EXPECT_EQ(Buttons(), "on off off");

  frame->SetNextEnabled(TRUE);  // the selection
  EXPECT_EQ(Buttons(), "on on off");

  Click(IDC_NEXT);
  EXPECT_EQ(Current(), "D");
  EXPECT_EQ(Buttons(), "on off on");

  Click(IDC_BACK);
  EXPECT_EQ(Current(), "C");
  EXPECT_EQ(Buttons(), "on on on");

  Click(IDC_BACK);
  EXPECT_EQ(Current(), "B");
  EXPECT_EQ(Buttons(), "on on on");

  Click(IDC_BACK);
  EXPECT_EQ(Current(), "A");
  EXPECT_EQ(Buttons(), "off on off");
}

TEST_F(WizardWalk, OnlyTheCurrentPageIsVisibleEnabledAndActive) {
  AddFourPages();
  Open();
  Click(IDC_NEXT);
  Click(IDC_NEXT);
  Click(IDC_BACK);
  ASSERT_EQ(Current(), "B");
  for (const auto& page : pages) {
    SCOPED_TRACE(page->name());
    bool current = page->name() == "B";
    EXPECT_EQ(page->m_bActive, current ? TRUE : FALSE);
    EXPECT_EQ(page->IsWindowVisible() != FALSE, current);
    EXPECT_EQ(page->m_bCreated, page->name() == "D" ? FALSE : TRUE);
    EXPECT_EQ(page->m_pParent, page->name() == "D" ? nullptr : frame.get());
  }
  EXPECT_TRUE(pages[1]->IsWindowEnabled());
  // A hidden page stays enabled; a page never shown has no window.
  EXPECT_TRUE(pages[2]->IsWindowEnabled());
  EXPECT_FALSE(pages[3]->IsWindow());
}

TEST_F(WizardWalk, PagesSitAtThePlaceholderCornerInTheirOwnSize) {
  AddFourPages();
  Open();
  HWND placeholder = ::GetDlgItem(Frame(), IDC_PLACEHOLDER);
  RECT corner = WindowRectInClient(placeholder, Frame());
  ASSERT_GT(corner.left, 0);  // the test frame's placeholder is not at the origin
  ASSERT_GT(corner.top, 0);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(pages[static_cast<size_t>(i)]->name());
    HWND page = pages[static_cast<size_t>(i)]->m_hWnd;
    RECT r = WindowRectInClient(page, Frame());
    EXPECT_EQ(r.left, corner.left);
    EXPECT_EQ(r.top, corner.top);
    EXPECT_EQ(::GetParent(page), Frame());
    // The templates grow by 10 dialog units a page: each keeps its own size.
    if (i > 0) {
      RECT previous = WindowRectInClient(pages[static_cast<size_t>(i - 1)]->m_hWnd, Frame());
      EXPECT_GT(r.right - r.left, previous.right - previous.left);
      EXPECT_GT(r.bottom - r.top, previous.bottom - previous.top);
    }
    if (i < 3) Click(IDC_NEXT);
  }
}

TEST_F(WizardWalk, ShowingAPageFollowsItsStepOrder) {
  AddFourPages();
  Open();
  EXPECT_EQ(TakeLog(), (CallLog{"A:init", "A:created", "A:shown", "A:enter"}));
  Click(IDC_NEXT);
  EXPECT_EQ(TakeLog(), (CallLog{"A:next", "B:init", "B:created", "A:leave", "A:hidden", "B:shown", "B:enter"}));
  Click(IDC_BACK);
  EXPECT_EQ(TakeLog(), (CallLog{"B:back", "B:leave", "B:hidden", "A:shown", "A:enter"}));
  EXPECT_EQ(pages[0]->initCount, 1);
}

TEST_F(WizardWalk, OnePageStartsWithOnlyFinishAndGoesNowhere) {
  AddPage(IDD_PAGE_A, "A");
  Open();
  EXPECT_EQ(Buttons(), "off off on");
  TakeLog();
  Click(IDC_NEXT);
  Click(IDC_BACK);
  EXPECT_EQ(TakeLog(), (CallLog{"A:next", "A:back"}));
  EXPECT_EQ(Current(), "A");
  EXPECT_EQ(Buttons(), "off off on");
}

TEST_F(WizardWalk, TwoPagesStartWithNextOnly) {
  AddPage(IDD_PAGE_A, "A");
  AddPage(IDD_PAGE_B, "B");
  Open();
  EXPECT_EQ(Buttons(), "off on off");
  Click(IDC_NEXT);
  EXPECT_EQ(Buttons(), "on off on");
}

TEST_F(WizardWalk, NextOnTheLastPageDoesNothingEvenWhenReEnabled) {
  AddFourPages();
  Open();
  for (int i = 0; i < 3; ++i) Click(IDC_NEXT);
  frame->SetNextEnabled(TRUE);
  TakeLog();
  Click(IDC_NEXT);
  EXPECT_EQ(TakeLog(), (CallLog{"D:next"}));
  EXPECT_EQ(Current(), "D");
  EXPECT_EQ(Buttons(), "on on on");
}

TEST_F(WizardWalk, TheCloseBoxAndEscapeReachCancelOnlyFromTheFrame) {
  AddFourPages();
  Open();
  Click(IDC_NEXT);
  TakeLog();
  // Escape inside a page: the cancel command goes to the page, which ignores it.
  ::SendMessageA(pages[1]->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_TRUE(TakeLog().empty());
  EXPECT_TRUE(::IsWindowVisible(Frame()));
  EXPECT_TRUE(pages[1]->IsWindowVisible());

  // The close box: the system command's default handling closes the frame, whose dialog default
  // posts it IDCANCEL.
  pages[0]->queryCancel = FALSE;  // keep the wizard open to look at it
  ::SendMessageA(Frame(), WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
  EXPECT_EQ(TakeLog(), (CallLog{"A:queryCancel"}));
  EXPECT_TRUE(::IsWindowVisible(Frame()));
}

TEST_F(WizardWalk, FrameTakesControlParentSoTabReachesThePage) {
  AddPage(IDD_PAGE_A, "A");
  Open();
  EXPECT_TRUE(::GetWindowLongA(Frame(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
}

TEST_F(WizardWalk, HiddenPagesKeepTheirControlState) {
  AddFourPages();
  Open();
  ::SetDlgItemTextA(pages[0]->m_hWnd, IDC_PAGE_EDIT, "typed on A");
  Click(IDC_NEXT);
  Click(IDC_BACK);
  char text[32] = {0};
  ::GetDlgItemTextA(pages[0]->m_hWnd, IDC_PAGE_EDIT, text, sizeof text);
  EXPECT_STREQ(text, "typed on A");
}

}  // namespace
}  // namespace k7x::test
