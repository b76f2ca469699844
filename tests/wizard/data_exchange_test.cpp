// Data exchange between controls and members (radio groups, check box, text, control objects)
// and the list box and progress bar objects.
#include <gtest/gtest.h>

#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "wizard_fixture.h"

namespace k7x::test {
namespace {

class ExchangePage : public TestPage {
 public:
  explicit ExchangePage(CallLog& log) : TestPage(IDD_EXCHANGE_PAGE, "exchange", log) {}

  int radio = 1;
  int otherRadio = -1;
  int check = BST_CHECKED;
  std::string text = "initial";
  CListBox list;
  CProgressCtrl progress;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Radio(dx, IDC_RADIO_1, radio);
    DDX_Radio(dx, IDC_RADIO_OTHER_1, otherRadio);
    DDX_Check(dx, IDC_CHECK, check);
    DDX_Text(dx, IDC_EDIT, text);
    DDX_Control(dx, IDC_LIST, list);
    DDX_Control(dx, IDC_PROGRESS, progress);
  }
};

class DataExchange : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    page = &Add(std::make_unique<ExchangePage>(log));
    Open();
  }
  int Checked(int id) const { return static_cast<int>(::IsDlgButtonChecked(page->m_hWnd, id)); }
  void SetChecked(int id, UINT state) { ::CheckDlgButton(page->m_hWnd, id, state); }
  std::string Checks() const {
    std::string s;
    for (int id : {IDC_RADIO_1, IDC_RADIO_2, IDC_RADIO_3, IDC_RADIO_OTHER_1, IDC_RADIO_OTHER_2})
      s += Checked(id) ? '1' : '0';
    return s;
  }

  ExchangePage* page = nullptr;
};

TEST_F(DataExchange, InitialisationLoadsTheMembersIntoTheControls) {
  // Index 1 of the first group is its second radio button: the static between them is no member.
  EXPECT_EQ(Checks(), "01000");
  EXPECT_EQ(Checked(IDC_CHECK), BST_CHECKED);
  char text[32] = {0};
  ::GetDlgItemTextA(page->m_hWnd, IDC_EDIT, text, sizeof text);
  EXPECT_STREQ(text, "initial");
  EXPECT_EQ(page->list.m_hWnd, ::GetDlgItem(page->m_hWnd, IDC_LIST));
  EXPECT_EQ(page->progress.m_hWnd, ::GetDlgItem(page->m_hWnd, IDC_PROGRESS));
}

TEST_F(DataExchange, SavingReadsTheCheckedIndexOfEachGroup) {
  SetChecked(IDC_RADIO_2, BST_UNCHECKED);
  SetChecked(IDC_RADIO_3, BST_CHECKED);
  SetChecked(IDC_RADIO_OTHER_1, BST_CHECKED);
  SetChecked(IDC_CHECK, BST_UNCHECKED);
  ::SetDlgItemTextA(page->m_hWnd, IDC_EDIT, "typed");
  page->UpdateData(TRUE);
  EXPECT_EQ(page->radio, 2);
  EXPECT_EQ(page->otherRadio, 0);
  EXPECT_EQ(page->check, BST_UNCHECKED);
  EXPECT_EQ(page->text, "typed");

  SetChecked(IDC_RADIO_3, BST_UNCHECKED);
  page->UpdateData(TRUE);
  EXPECT_EQ(page->radio, -1);
}

TEST_F(DataExchange, LoadingChecksOneButtonAndUnchecksTheRestOfItsGroupOnly) {
  page->radio = 2;
  page->otherRadio = 1;
  page->UpdateData(FALSE);
  EXPECT_EQ(Checks(), "00101");
  page->radio = -1;
  page->UpdateData(FALSE);
  EXPECT_EQ(Checks(), "00001");
  page->radio = 0;
  page->check = BST_UNCHECKED;
  page->text.clear();
  page->UpdateData(FALSE);
  EXPECT_EQ(Checks(), "10001");
  EXPECT_EQ(Checked(IDC_CHECK), BST_UNCHECKED);
  EXPECT_EQ(::GetWindowTextLengthA(::GetDlgItem(page->m_hWnd, IDC_EDIT)), 0);
}

TEST_F(DataExchange, ListBoxObjectAddsInsertsSelectsAndReads) {
  CListBox& list = page->list;
  EXPECT_EQ(list.GetCurSel(), LB_ERR);
  EXPECT_EQ(list.AddString("beta"), 0);
  EXPECT_EQ(list.AddString("alpha"), 0);  // a sorted list box sorts added entries
  EXPECT_EQ(list.InsertString(-1, "80mm series"), 2);  // inserting does not sort
  EXPECT_EQ(list.GetCount(), 3);
  std::string text;
  EXPECT_EQ(list.GetText(2, text), 11);
  EXPECT_EQ(text, "80mm series");
  EXPECT_EQ(list.GetText(0, text), 5);
  EXPECT_EQ(text, "alpha");
  EXPECT_EQ(list.GetText(3, text), LB_ERR);
  EXPECT_EQ(text, "");
  EXPECT_EQ(list.SetCurSel(1), 1);
  EXPECT_EQ(list.GetCurSel(), 1);
}

TEST_F(DataExchange, ProgressObjectMovesInItsRange) {
  CProgressCtrl& bar = page->progress;
  EXPECT_EQ(bar.GetPos(), 0);
  EXPECT_EQ(bar.SetPos(50), 0);
  EXPECT_EQ(bar.SetPos(100), 50);
  EXPECT_EQ(bar.SetPos(150), 100);  // beyond the default range 0 to 100
  EXPECT_EQ(bar.GetPos(), 100);
  bar.SetRange(0, 200);
  bar.SetPos(150);
  EXPECT_EQ(bar.GetPos(), 150);
}

}  // namespace
}  // namespace k7x::test
