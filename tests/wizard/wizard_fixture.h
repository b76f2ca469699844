// Test pages and a test frame over the tests' own templates (res/test_wizard.rc), and a fixture
// that runs a wizard of them on a fresh machine.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "res/test_wizard_ids.h"
#include "support/machine_fixture.h"
#include "wizard/NewWizDialog.h"
#include "wizard/NewWizPage.h"

namespace k7x::test {

using CallLog = std::vector<std::string>;

// The log without the show notifications.
CallLog Questions(const CallLog& log);

// A page whose answers the test sets. Every question, its initialisation and its show
// notifications are recorded as "<name>:<what>" in the shared log.
class TestPage : public CNewWizPage {
 public:
  TestPage(UINT templateId, std::string name, CallLog& log);

  BOOL created = TRUE;
  BOOL leave = TRUE;
  BOOL queryCancel = TRUE;
  BOOL finish = TRUE;
  int back = 0;
  int next = 0;
  BOOL disableNextAtInit = FALSE;  // as a page that waits for a selection does
  int initCount = 0;
  int wentBack = 0;  // how often the frame told of a Back

  const std::string& name() const { return name_; }

  BOOL OnPageCreated() override;
  void OnPageDestroy() override;
  BOOL OnPageLeave() override;
  void OnPageEnter() override;
  BOOL OnPageQueryCancel() override;
  int OnPageBack() override;
  int OnPageNext() override;
  BOOL OnPageFinish() override;
  void OnFrameWentBack() override { ++wentBack; }

 protected:
  BOOL OnInitDialog() override;
  void OnShowWindow(BOOL show, UINT status) override;

 private:
  void Record(const char* what) { log_.push_back(name_ + ":" + what); }
  std::string name_;
  CallLog& log_;
};

// A frame as the setup wizard's: placeholder 1000 set at initialisation, button 1061 cancels.
class TestFrame : public CNewWizDialog {
 public:
  TestFrame() : CNewWizDialog(IDD_TEST_FRAME) {}

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(UINT id, UINT code, HWND control) override;
};

// A wizard run on a fresh machine. The frame is the application's main window while it exists.
class FrameTest : public MachineTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The machine the test runs on; the default one unless a fixture says otherwise.
  virtual winemu::CreateOptions MachineOptions() const { return {}; }

  // Appends a page of template `templateId` to the frame; the fixture owns it.
  TestPage& AddPage(UINT templateId, const std::string& name);
  // Appends a page of the test's own class, under its template id; the fixture owns it.
  template <class Page>
  Page& Add(std::unique_ptr<Page> page) {
    Page& added = *page;
    frame->AppendPage(page.get(), page->m_nTemplateID);
    pages.push_back(std::move(page));
    return added;
  }
  // Four pages A, B, C, D of templates 601 to 604.
  void AddFourPages();
  // Creates the frame window modelessly; its initialisation shows the first page.
  void Open(UINT templateId = IDD_TEST_FRAME);
  // Runs the frame modally as the application's main window; the run's result.
  INT_PTR RunModal();
  // A click on the frame's button `id`, as the button sends it.
  void Click(int id);
  // Dispatches the messages waiting in the queue, as the frame's modal loop would.
  void PumpMessages();
  // "Back Next Finish" as on/off, e.g. "off on off".
  std::string Buttons() const;
  // The name of the current page, "none" without one.
  std::string Current() const;
  // The log since the last call.
  CallLog TakeLog();

  HWND Frame() const { return frame->m_hWnd; }

  CallLog log;
  std::vector<std::unique_ptr<TestPage>> pages;
  std::unique_ptr<TestFrame> frame = std::make_unique<TestFrame>();
};

}  // namespace k7x::test
