// The frame's navigation edge cases: vetoes by each of the page's questions, jumps by template
// id, pages created but left hidden, every page told of a Back, closing the pages at the end.
#include <gtest/gtest.h>

#include "wizard_fixture.h"

namespace k7x::test {
namespace {

using WizardNavigation = FrameTest;

TEST_F(WizardNavigation, ARefusedLeaveKeepsThePageAndTheButtons) {
  AddFourPages();
  Open();
  Click(IDC_NEXT);
  pages[1]->leave = FALSE;
  TakeLog();

  Click(IDC_NEXT);
  Click(IDC_BACK);
  EXPECT_EQ(TakeLog(), (CallLog{"B:next", "C:init", "C:created", "B:leave", "B:back", "B:leave"}));
  EXPECT_EQ(Current(), "B");
  EXPECT_EQ(Buttons(), "on on off");
  EXPECT_EQ(pages[3]->wentBack, 0);  // only a Back that moved is told
  EXPECT_TRUE(pages[1]->IsWindowVisible());
}

TEST_F(WizardNavigation, MinusOneFromBackOrNextStaysWithoutAskingToLeave) {
  AddFourPages();
  Open();
  Click(IDC_NEXT);
  pages[1]->back = -1;
  pages[1]->next = -1;
  TakeLog();
  Click(IDC_NEXT);
  Click(IDC_BACK);
  EXPECT_EQ(TakeLog(), (CallLog{"B:next", "B:back"}));
  EXPECT_EQ(Current(), "B");
  EXPECT_FALSE(pages[2]->IsWindow());
}

TEST_F(WizardNavigation, ARefusedCreationLeavesTheNewPageCreatedAndHidden) {
  AddFourPages();
  Open();
  pages[1]->created = FALSE;
  TakeLog();
  Click(IDC_NEXT);
  EXPECT_EQ(TakeLog(), (CallLog{"A:next", "B:init", "B:created"}));
  EXPECT_EQ(Current(), "A");
  EXPECT_EQ(Buttons(), "off on off");
  EXPECT_TRUE(pages[1]->m_bCreated);
  EXPECT_FALSE(pages[1]->IsWindowVisible());

  // The window exists now: showing it again neither initialises it nor asks OnPageCreated.
  Click(IDC_NEXT);
  EXPECT_EQ(TakeLog(), (CallLog{"A:next", "A:leave", "A:hidden", "B:shown", "B:enter"}));
  EXPECT_EQ(Current(), "B");
  EXPECT_EQ(pages[1]->initCount, 1);
}

TEST_F(WizardNavigation, APageCreatedBeforeARefusedLeaveIsNotInitialisedAgain) {
  AddFourPages();
  Open();
  pages[0]->leave = FALSE;
  Click(IDC_NEXT);
  EXPECT_EQ(Current(), "A");
  EXPECT_TRUE(pages[1]->m_bCreated);
  EXPECT_FALSE(pages[1]->m_bActive);
  EXPECT_FALSE(pages[1]->IsWindowVisible());
  EXPECT_EQ(pages[1]->initCount, 1);

  pages[0]->leave = TRUE;
  TakeLog();
  Click(IDC_NEXT);
  EXPECT_EQ(TakeLog(), (CallLog{"A:next", "A:leave", "A:hidden", "B:shown", "B:enter"}));
  EXPECT_EQ(pages[1]->initCount, 1);
  EXPECT_EQ(Buttons(), "on on off");
}

TEST_F(WizardNavigation, JumpsFindPagesByTemplateId) {
  AddFourPages();
  Open();

  // Next naming the last page: Next off, Finish on.
  pages[0]->next = IDD_PAGE_D;
  Click(IDC_NEXT);
  EXPECT_EQ(Current(), "D");
  EXPECT_EQ(Buttons(), "on off on");
  EXPECT_FALSE(pages[1]->IsWindow());  // skipped pages are not created

  // Back naming a middle page, then Back naming the first page: Back and Finish off.
  pages[3]->back = IDD_PAGE_B;
  Click(IDC_BACK);
  EXPECT_EQ(Current(), "B");
  EXPECT_EQ(Buttons(), "on on on");
  pages[1]->back = IDD_PAGE_A;
  Click(IDC_BACK);
  EXPECT_EQ(Current(), "A");
  EXPECT_EQ(Buttons(), "off on off");
}

TEST_F(WizardNavigation, JumpsAgainstTheListOrderKeepTheOtherButton) {
  AddFourPages();
  Open();
  Click(IDC_NEXT);
  // Next naming the first page leaves Back enabled.
  pages[1]->next = IDD_PAGE_A;
  Click(IDC_NEXT);
  EXPECT_EQ(Current(), "A");
  EXPECT_EQ(Buttons(), "on on off");

  // Back naming the last page leaves Next enabled.
  pages[0]->back = IDD_PAGE_D;
  Click(IDC_BACK);
  EXPECT_EQ(Current(), "D");
  EXPECT_EQ(Buttons(), "on on off");
}

TEST_F(WizardNavigation, AJumpToAnUnknownTemplateDoesNothing) {
  AddFourPages();
  Open();
  Click(IDC_NEXT);
  pages[1]->next = 999;
  pages[1]->back = 998;
  TakeLog();
  Click(IDC_NEXT);
  Click(IDC_BACK);
  EXPECT_EQ(TakeLog(), (CallLog{"B:next", "B:back"}));
  EXPECT_EQ(Current(), "B");
  EXPECT_EQ(pages[1]->wentBack, 0);
}

TEST_F(WizardNavigation, TwoPagesOfOneTemplateJumpToTheFirst) {
  AddPage(IDD_PAGE_A, "A");
  AddPage(IDD_PAGE_B, "B1");
  AddPage(IDD_PAGE_B, "B2");
  AddPage(IDD_PAGE_D, "D");
  Open();
  pages[0]->next = IDD_PAGE_D;
  Click(IDC_NEXT);
  pages[3]->back = IDD_PAGE_B;
  Click(IDC_BACK);
  EXPECT_EQ(Current(), "B1");
  pages[1]->next = IDD_PAGE_B;  // naming its own template: B1 again, not B2
  Click(IDC_NEXT);
  EXPECT_EQ(Current(), "B1");
  EXPECT_FALSE(pages[2]->IsWindow());
}

TEST_F(WizardNavigation, EverySuccessfulBackIsToldToEveryPage) {
  AddFourPages();
  Open();
  Click(IDC_NEXT);
  Click(IDC_BACK);  // the last page was never shown, and is told all the same
  for (const auto& page : pages) EXPECT_EQ(page->wentBack, 1) << page->name();

  for (int i = 0; i < 3; ++i) Click(IDC_NEXT);
  ASSERT_EQ(Current(), "D");
  Click(IDC_BACK);
  Click(IDC_BACK);
  Click(IDC_BACK);
  ASSERT_EQ(Current(), "A");
  // Back from the first page goes nowhere and tells nobody.
  Click(IDC_BACK);
  for (const auto& page : pages) EXPECT_EQ(page->wentBack, 4) << page->name();
}

TEST_F(WizardNavigation, DestroyingTheFrameClosesTheCreatedPagesInOrder) {
  AddFourPages();
  Open();
  Click(IDC_NEXT);
  Click(IDC_NEXT);
  Click(IDC_BACK);
  TakeLog();
  HWND pageA = pages[0]->m_hWnd;
  ASSERT_TRUE(frame->DestroyWindow());
  EXPECT_EQ(Questions(TakeLog()), (CallLog{"A:leave", "A:destroy", "B:leave", "B:destroy", "C:leave", "C:destroy"}));
  EXPECT_FALSE(::IsWindow(pageA));
  for (const auto& page : pages) {
    SCOPED_TRACE(page->name());
    EXPECT_FALSE(page->m_bCreated);
    EXPECT_EQ(page->m_hWnd, nullptr);
  }
  EXPECT_TRUE(pages[1]->m_bActive);  // closing does not change the current mark
}

TEST_F(WizardNavigation, ClosePageAsksToLeaveFirst) {
  AddFourPages();
  Open();
  Click(IDC_NEXT);
  pages[0]->leave = FALSE;
  TakeLog();
  EXPECT_FALSE(frame->ClosePage(pages[0].get()));
  EXPECT_TRUE(pages[0]->IsWindow());
  EXPECT_TRUE(frame->ClosePage(pages[3].get()));  // no window: nothing to ask
  EXPECT_EQ(TakeLog(), (CallLog{"A:leave"}));
  pages[0]->leave = TRUE;
}

TEST_F(WizardNavigation, FurtherOperationsListAndShowPages) {
  AddFourPages();
  Open();
  EXPECT_EQ(frame->PageCount(), 4);
  EXPECT_EQ(frame->CurrentIndex(), 0);
  EXPECT_EQ(frame->FirstPage(), pages[0].get());
  EXPECT_EQ(frame->LastPage(), pages[3].get());
  EXPECT_EQ(frame->PageAfterCurrent(), pages[1].get());
  EXPECT_EQ(frame->IndexOfPage(pages[2].get()), 2);
  TestPage stranger(IDD_PAGE_A, "X", log);
  EXPECT_EQ(frame->IndexOfPage(&stranger), -1);
  EXPECT_EQ(frame->PageAtIndex(4), nullptr);
  EXPECT_EQ(frame->PageAtIndex(-1), nullptr);

  EXPECT_TRUE(frame->AdvanceOnePage());
  EXPECT_EQ(Current(), "B");
  EXPECT_EQ(Buttons(), "on on off");

  EXPECT_TRUE(frame->ShowPageByTemplate(IDD_PAGE_D));
  EXPECT_EQ(Current(), "D");
  EXPECT_FALSE(frame->ShowPageByTemplate(999));
  EXPECT_EQ(Current(), "D");
  EXPECT_EQ(frame->PageAfterCurrent(), nullptr);

  EXPECT_FALSE(frame->ShowPageAtIndex(7));
  pages[3]->leave = FALSE;
  EXPECT_TRUE(frame->ShowPageAtIndex(2));  // TRUE although D refused to leave
  EXPECT_EQ(Current(), "D");
  pages[3]->leave = TRUE;
  EXPECT_TRUE(frame->ShowPageAtIndex(pages[2].get()));
  EXPECT_EQ(Current(), "C");
  EXPECT_EQ(frame->CurrentIndex(), 2);
}

TEST_F(WizardNavigation, CaptionAndFinishLabelFromTextOrStringTable) {
  AddPage(IDD_PAGE_A, "A");
  Open();
  char text[64] = {0};
  frame->SetCaption("Set up");
  ::GetWindowTextA(Frame(), text, sizeof text);
  EXPECT_STREQ(text, "Set up");
  frame->SetCaption(static_cast<UINT>(IDS_TEST_CAPTION));
  ::GetWindowTextA(Frame(), text, sizeof text);
  EXPECT_STREQ(text, "Caption from the string table");

  frame->SetFinishCaption("Close");
  ::GetDlgItemTextA(Frame(), IDC_FINISH, text, sizeof text);
  EXPECT_STREQ(text, "Close");
  frame->SetFinishCaption(static_cast<UINT>(IDS_TEST_FINISH));
  ::GetDlgItemTextA(Frame(), IDC_FINISH, text, sizeof text);
  EXPECT_STREQ(text, "&Done");
}

}  // namespace
}  // namespace k7x::test
