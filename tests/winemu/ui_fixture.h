// The window system's tests: a fresh machine with the test resources (res/ui_test.rc) and a
// dialog procedure that records what it is sent.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "res/ui_test_ids.h"
#include "support/machine_fixture.h"
#include "winemu/ui/ui.h"

namespace k7x::test {

// A dialog procedure's record: "<template> <message> <detail>" lines, and handlers a test sets.
struct DialogLog {
  std::vector<std::string> lines;
  std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> handler;  // runs first; non-zero: handled
  BOOL initResult = TRUE;
  int endOn = 0;  // WM_COMMAND with this id ends the dialog with the id (0: IDOK and IDCANCEL)
  std::vector<std::string> Take();
  std::vector<std::string> Matching(const std::string& prefix) const;
};

// The dialog procedure of the tests; lParam of creation is the DialogLog.
INT_PTR CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

class UiTest : public MachineTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Makes the machine anew with a language and code page, keeping the test resources.
  void MakeMachineFor(WORD langId, unsigned codePage);

  HWND Modeless(int templateId, HWND parent = nullptr);
  RECT WindowRect(HWND h) const;
  RECT RectIn(HWND h, HWND parent) const;  // the window rectangle in the parent's client coordinates
  std::string Text(HWND h) const;          // GetWindowTextA
  // Runs a message loop for `dialog` (IsDialogMessage first) until the script is used up.
  void RunScript(HWND dialog, winemu::ui::ScriptDriver& script);

  DialogLog log;
};

}  // namespace k7x::test
