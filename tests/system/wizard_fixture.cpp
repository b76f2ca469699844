#include "wizard_fixture.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "shared/SetupApp.h"
#include "shared/globals.h"
#include "sys/OSVersion.h"
#include "winemu/machine/quoted.h"
#include "winemu/ui/actions.h"

namespace k7x::test {

void ProgramRunTest::RunProgram() {
  MSG left;
  while (PeekMessageA(&left, nullptr, 0, 0, PM_REMOVE)) {}  // a new process's queue is empty
  ResetProgramState();
  g_OSVersion = GetOSVersion();  // as the static initialisation of a new process sets it
  theApp.InitApplication(GetModuleHandleA(nullptr));
  theApp.InitInstance();
  winemu::Machine::Current().ProgramExited();
}

bool ProgramRunTest::Enabled(int id) {
  HWND frame = winemu::ui::ActiveWindow();
  HWND control = GetDlgItem(frame, id);
  for (HWND page = GetWindow(frame, GW_CHILD); !control && page; page = GetWindow(page, GW_HWNDNEXT))
    if (IsWindowVisible(page)) control = GetDlgItem(page, id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control && IsWindowEnabled(control);
}

std::string ProgramRunTest::MessageBoxText() {
  std::string text;
  for (const auto& e : winemu::Machine::Current().TraceEntries())
    if (e.kind == "msgbox") text = e.detail.substr(e.detail.find(" text=\"") + 7);
  if (!text.empty()) text.pop_back();  // the closing quote
  return winemu::Unescaped(text);
}

std::vector<std::string> ProgramRunTest::DriverDirectoryNames() const {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(Host("C:\\WINDOWS\\system32\\spool\\drivers\\w32x86")))
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ProgramRunTest::Payload(const std::string& file) const {
  std::ifstream in(std::string(K7X_BUILD_DIR) + "/payload/" + file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace k7x::test
