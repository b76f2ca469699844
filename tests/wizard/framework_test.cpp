// The framework's window objects: handle lookup, the system menu, the wait cursor, string-table
// texts and the application's message box.
#include <gtest/gtest.h>

#include "framework/ResourceString.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "wizard_fixture.h"

namespace k7x::test {
namespace {

using Framework = FrameTest;

TEST_F(Framework, HandlesLeadBackToTheFrameworksWindowsWhileTheyExist) {
  AddPage(IDD_PAGE_A, "A");
  Open();
  HWND page = pages[0]->m_hWnd;
  EXPECT_EQ(CWnd::FromHandle(Frame()), frame.get());
  EXPECT_EQ(CWnd::FromHandle(page), pages[0].get());
  EXPECT_EQ(pages[0]->GetParent(), frame.get());
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

  // Any other window gets a wrapper of its handle, the same one each time.
  HWND button = ::GetDlgItem(Frame(), IDC_NEXT);
  CWnd* wrapper = frame->GetDlgItem(IDC_NEXT);
  ASSERT_NE(wrapper, nullptr);
  EXPECT_EQ(wrapper->m_hWnd, button);
  EXPECT_EQ(CWnd::FromHandle(button), wrapper);
  EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);
  EXPECT_EQ(frame->GetDlgItem(4711), nullptr);

  frame->DestroyWindow();
  EXPECT_EQ(CWnd::FromHandlePermanent(page), nullptr);
  EXPECT_EQ(frame->m_hWnd, nullptr);
}

TEST_F(Framework, SystemMenuTakesAppendedItems) {
  AddPage(IDD_PAGE_A, "A");
  Open();
  CMenu* menu = frame->GetSystemMenu(FALSE);
  ASSERT_NE(menu, nullptr);
  int before = ::GetMenuItemCount(menu->m_hMenu);
  EXPECT_TRUE(menu->AppendMenu(MF_SEPARATOR));
  EXPECT_TRUE(menu->AppendMenu(MF_STRING, 16, "About..."));
  EXPECT_EQ(::GetMenuItemCount(menu->m_hMenu), before + 2);
  char text[32] = {0};
  ::GetMenuStringA(menu->m_hMenu, 16, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "About...");
}

TEST_F(Framework, WaitCursorLastsForItsScope) {
  HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
  ::SetCursor(arrow);
  {
    CWaitCursor wait;
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT));
  }
  EXPECT_EQ(::GetCursor(), arrow);
}

TEST_F(Framework, StringTableTextsOfAnyLength) {
  EXPECT_EQ(AfxLoadString(IDS_TEST_FINISH), "&Done");
  EXPECT_EQ(AfxLoadString(IDS_TEST_LONG).size(), 300u);
  EXPECT_EQ(AfxLoadString(IDS_TEST_LONG).substr(290), "0123456789");
  EXPECT_EQ(AfxLoadString(IDS_MISSING), "");
}

}  // namespace
}  // namespace k7x::test
