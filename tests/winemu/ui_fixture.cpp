#include "ui_fixture.h"

#include <cstdint>

#include "winemu/kernel32/resources.h"

extern "C" {
extern const std::uint8_t ui_test_res_begin[];
extern const std::uint8_t ui_test_res_end[];
}

namespace k7x::test {

std::vector<std::string> DialogLog::Take() {
  std::vector<std::string> out;
  out.swap(lines);
  return out;
}

std::vector<std::string> DialogLog::Matching(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& l : lines)
    if (l.rfind(prefix, 0) == 0) out.push_back(l);
  return out;
}

INT_PTR CALLBACK LoggingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
  auto* log = reinterpret_cast<DialogLog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (!log) return FALSE;
  if (log->handler) {
    if (INT_PTR r = log->handler(hwnd, msg, wParam, lParam)) return r;
  }
  switch (msg) {
    case WM_INITDIALOG: log->lines.push_back("init focus=" + std::to_string(GetDlgCtrlID(reinterpret_cast<HWND>(wParam)))); return log->initResult;
    case WM_COMMAND: {
      log->lines.push_back("command " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)));
      int id = LOWORD(wParam);
      if ((log->endOn && id == log->endOn) || (!log->endOn && (id == IDOK || id == IDCANCEL))) EndDialog(hwnd, id);
      return TRUE;
    }
    case WM_SHOWWINDOW: log->lines.push_back(std::string("show ") + (wParam ? "1" : "0")); return FALSE;
    case WM_TIMER: log->lines.push_back("timer " + std::to_string(wParam) + " at " + std::to_string(GetTickCount())); return TRUE;
    case WM_DESTROY: log->lines.push_back("destroy"); return FALSE;
    default: return FALSE;
  }
}

void UiTest::SetUp() {
  MachineTest::SetUp();
  winemu::UseResources(std::vector<std::uint8_t>(ui_test_res_begin, ui_test_res_end));
}

void UiTest::TearDown() {
  winemu::UseResources({});
  MachineTest::TearDown();
}

void UiTest::MakeMachineFor(WORD langId, unsigned codePage) {
  winemu::CreateOptions options;
  options.langId = langId;
  options.codePage = codePage;
  MakeMachine(options);  // its teardown of the old machine takes the resources away
  winemu::UseResources(std::vector<std::uint8_t>(ui_test_res_begin, ui_test_res_end));
}

HWND UiTest::Modeless(int templateId, HWND parent) {
  return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, &LoggingProc,
                            reinterpret_cast<LPARAM>(&log));
}

RECT UiTest::WindowRect(HWND h) const {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

RECT UiTest::RectIn(HWND h, HWND parent) const {
  RECT r = WindowRect(h);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string UiTest::Text(HWND h) const {
  char buffer[512];
  GetWindowTextA(h, buffer, sizeof buffer);
  return buffer;
}

void UiTest::RunScript(HWND dialog, winemu::ui::ScriptDriver& script) {
  script.Then([] { PostQuitMessage(0); });
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    if (IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace k7x::test
