// Modal runs of the frame driven by the script driver: Finish and Cancel ask only the created
// pages in list order and end the run with 12325 and IDCANCEL, vetoes keep the wizard, Escape
// and Enter inside a page do nothing, the close box cancels, a quit request ends the run with -1.
#include <gtest/gtest.h>

#include "framework/WinApp.h"
#include "winemu/ui/ui.h"
#include "wizard_fixture.h"

namespace k7x::test {
namespace {

using WizardModal = FrameTest;
using winemu::ui::ScriptDriver;

TEST_F(WizardModal, FinishAsksTheCreatedPagesInListOrderAndEndsWith12325) {
  AddFourPages();
  pages[0]->next = IDD_PAGE_D;  // A jumps to D, Back from D leads to C: B gets no window
  ScriptDriver script;
  script.Click(IDC_NEXT).Click(IDC_BACK).Then([&] {
    EXPECT_EQ(Current(), "C");
    EXPECT_EQ(Buttons(), "on on on");
    TakeLog();
  });
  script.Click(IDC_FINISH);
  EXPECT_EQ(RunModal(), IDC_FINISH);
  EXPECT_EQ(Questions(TakeLog()), (CallLog{"C:leave", "A:finish", "C:finish", "D:finish",
                                           // the frame's window goes, and with it the pages'
                                           "A:leave", "A:destroy", "C:leave", "C:destroy", "D:leave", "D:destroy"}));
  EXPECT_FALSE(pages[1]->m_bCreated);
  EXPECT_EQ(script.Remaining(), 0u);
}

TEST_F(WizardModal, VetoesOfFinishKeepTheWizardAsItWas) {
  AddFourPages();
  pages[0]->next = IDD_PAGE_D;  // A jumps to D, Back from D leads to C: B gets no window
  pages[2]->finish = FALSE;
  ScriptDriver script;
  script.Click(IDC_NEXT).Click(IDC_BACK).Then([&] { TakeLog(); });
  script.Click(IDC_FINISH).Then([&] {
    EXPECT_EQ(TakeLog(), (CallLog{"C:leave", "A:finish", "C:finish"}));  // D is not asked
    EXPECT_EQ(Current(), "C");
    EXPECT_TRUE(pages[2]->IsWindowVisible());
    pages[2]->leave = FALSE;
  });
  script.Click(IDC_FINISH).Then([&] {
    EXPECT_EQ(TakeLog(), (CallLog{"C:leave"}));  // a page that refuses to leave: nobody is asked to finish
    EXPECT_EQ(Buttons(), "on on on");
    pages[2]->leave = TRUE;
  });
  script.Click(IDC_CANCEL_BUTTON);
  EXPECT_EQ(RunModal(), IDCANCEL);
}

TEST_F(WizardModal, CancelAsksTheCreatedPagesInListOrderAndEndsWithIdCancel) {
  AddFourPages();
  pages[0]->next = IDD_PAGE_D;  // A jumps to D: B and C get no window
  ScriptDriver script;
  script.Click(IDC_NEXT).Then([&] { TakeLog(); }).Click(IDC_CANCEL_BUTTON);
  EXPECT_EQ(RunModal(), IDCANCEL);
  CallLog questions = Questions(TakeLog());
  ASSERT_GE(questions.size(), 2u);
  EXPECT_EQ(CallLog(questions.begin(), questions.begin() + 2), (CallLog{"A:queryCancel", "D:queryCancel"}));
}

TEST_F(WizardModal, AVetoedCancelKeepsTheWizardThenTheCloseBoxCancels) {
  AddFourPages();
  pages[0]->queryCancel = FALSE;
  ScriptDriver script;
  script.Click(IDC_NEXT).Then([&] { TakeLog(); }).Click(IDC_CANCEL_BUTTON).Then([&] {
    EXPECT_EQ(TakeLog(), (CallLog{"A:queryCancel"}));  // B is not asked
    EXPECT_EQ(Current(), "B");
    EXPECT_TRUE(::IsWindowVisible(Frame()));
    pages[0]->queryCancel = TRUE;
  });
  script.Close();
  EXPECT_EQ(RunModal(), IDCANCEL);
  EXPECT_EQ(Questions(TakeLog()).front(), "A:queryCancel");
}

TEST_F(WizardModal, EscapeAndEnterInsideAPageDoNothingEscapeOnTheFrameCancels) {
  AddFourPages();
  ScriptDriver script;
  script.Then([&] {
    ::SetFocus(::GetDlgItem(pages[0]->m_hWnd, IDC_PAGE_EDIT));
    TakeLog();
  });
  script.Key("Escape").Key("Enter").Then([&] {
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_TRUE(::IsWindowVisible(Frame()));
    EXPECT_TRUE(pages[0]->IsWindowVisible());
    ::SetFocus(::GetDlgItem(Frame(), IDC_NEXT));
  });
  script.Key("Escape");
  EXPECT_EQ(RunModal(), IDCANCEL);
}

TEST_F(WizardModal, AQuitRequestEndsTheRunWithMinusOneAndIsPostedAgain) {
  AddFourPages();
  ScriptDriver script;
  script.Click(IDC_NEXT).Then([] { ::PostQuitMessage(3); });
  EXPECT_EQ(RunModal(), -1);
  EXPECT_FALSE(frame->IsWindow());
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(WizardModal, AModalDialogWithoutParentIsOwnedByTheMainWindowAndDisablesIt) {
  AddFourPages();
  CDialog about(IDD_TEST_ABOUT);
  ScriptDriver script;
  // A second modal dialog over the running wizard, as the About box is; the script goes on
  // inside its run.
  script.Then([&] { EXPECT_EQ(about.DoModal(), IDOK); });
  script.Then([&] {
    EXPECT_EQ(::GetWindow(about.m_hWnd, GW_OWNER), Frame());
    EXPECT_FALSE(::IsWindowEnabled(Frame()));
  });
  script.Click(IDOK).Then([&] {
    EXPECT_TRUE(::IsWindowEnabled(Frame()));
    EXPECT_FALSE(about.IsWindow());
  });
  script.Click(IDC_CANCEL_BUTTON);
  EXPECT_EQ(RunModal(), IDCANCEL);
  EXPECT_EQ(script.Remaining(), 0u);
}

TEST_F(WizardModal, TheMessageBoxIsOwnedByTheMainWindowUnderTheApplicationsName) {
  AddPage(IDD_PAGE_A, "A");
  Open();
  std::string savedName = AfxGetApp()->m_strAppName;
  AfxGetApp()->m_strAppName = "setup";
  ScriptDriver script;
  script.Answer().Answer();
  EXPECT_EQ(AfxMessageBox("Printer installed"), IDOK);
  EXPECT_EQ(AfxMessageBox("With its own icon", MB_OK | MB_ICONINFORMATION), IDOK);
  AfxGetApp()->m_strAppName = savedName;
  std::string owner = winemu::user32::HandleText(Frame());
  EXPECT_EQ(TraceLines("msgbox"),
            (std::vector<std::string>{
                "msgbox owner=" + owner + " style=0x00000030 caption=\"setup\" text=\"Printer installed\"",
                "msgbox owner=" + owner + " style=0x00000040 caption=\"setup\" text=\"With its own icon\""}));
}

}  // namespace
}  // namespace k7x::test
