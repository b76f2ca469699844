#include "wizard_fixture.h"

#include "framework/WinApp.h"
#include "shared/globals.h"

// The test program's application object: the frame and the pages reach it through AfxGetApp().
CWinApp g_testApp("wizard_test");

namespace k7x::test {

CallLog Questions(const CallLog& log) {
  CallLog questions;
  for (const std::string& entry : log)
    if (entry.find(":shown") == std::string::npos && entry.find(":hidden") == std::string::npos)
      questions.push_back(entry);
  return questions;
}

TestPage::TestPage(UINT templateId, std::string name, CallLog& log)
    : CNewWizPage(templateId), name_(std::move(name)), log_(log) {}

BOOL TestPage::OnPageCreated() {
  Record("created");
  return created;
}

void TestPage::OnPageDestroy() { Record("destroy"); }

BOOL TestPage::OnPageLeave() {
  Record("leave");
  return leave;
}

void TestPage::OnPageEnter() { Record("enter"); }

BOOL TestPage::OnPageQueryCancel() {
  Record("queryCancel");
  return queryCancel;
}

int TestPage::OnPageBack() {
  Record("back");
  return back;
}

int TestPage::OnPageNext() {
  Record("next");
  return next;
}

BOOL TestPage::OnPageFinish() {
  Record("finish");
  return finish;
}

BOOL TestPage::OnInitDialog() {
  CNewWizPage::OnInitDialog();
  ++initCount;
  Record("init");
  if (disableNextAtInit) static_cast<CNewWizDialog*>(GetParent())->SetNextEnabled(FALSE);
  return TRUE;
}

void TestPage::OnShowWindow(BOOL show, UINT status) {
  CNewWizPage::OnShowWindow(show, status);
  Record(show ? "shown" : "hidden");
}

BOOL TestFrame::OnInitDialog() {
  SetPlaceholder(IDC_PLACEHOLDER);
  return CNewWizDialog::OnInitDialog();
}

BOOL TestFrame::OnCommand(UINT id, UINT code, HWND control) {
  if (id == IDC_CANCEL_BUTTON && code == BN_CLICKED) {
    OnCancel();
    return TRUE;
  }
  return CNewWizDialog::OnCommand(id, code, control);
}

void FrameTest::SetUp() {
  MakeMachine(MachineOptions());
}

void FrameTest::TearDown() {
  // The page objects must outlive the frame's window, which closes them; they all agree to leave.
  for (const auto& page : pages) page->leave = TRUE;
  if (frame->IsWindow()) frame->DestroyWindow();
  AfxGetApp()->m_pMainWnd = nullptr;
  frame.reset();
  pages.clear();
  MachineTest::TearDown();
}

TestPage& FrameTest::AddPage(UINT templateId, const std::string& name) {
  return Add(std::make_unique<TestPage>(templateId, name, log));
}

void FrameTest::AddFourPages() {
  AddPage(IDD_PAGE_A, "A");
  AddPage(IDD_PAGE_B, "B");
  AddPage(IDD_PAGE_C, "C");
  AddPage(IDD_PAGE_D, "D");
}

void FrameTest::Open(UINT templateId) {
  AfxGetApp()->m_pMainWnd = frame.get();
  ASSERT_TRUE(frame->Create(templateId, nullptr));
}

INT_PTR FrameTest::RunModal() {
  AfxGetApp()->m_pMainWnd = frame.get();
  return frame->DoModal();
}

void FrameTest::Click(int id) {
  ::SendMessageA(Frame(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(Frame(), id)));
}

void FrameTest::PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (::IsDialogMessageA(Frame(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

std::string FrameTest::Buttons() const {
  auto state = [this](int id) { return ::IsWindowEnabled(::GetDlgItem(Frame(), id)) ? std::string("on") : "off"; };
  return state(IDC_BACK) + " " + state(IDC_NEXT) + " " + state(IDC_FINISH);
}

std::string FrameTest::Current() const {
  auto* current = static_cast<TestPage*>(frame->CurrentPage());
  return current ? current->name() : "none";
}

CallLog FrameTest::TakeLog() {
  CallLog taken;
  taken.swap(log);
  return taken;
}

}  // namespace k7x::test
