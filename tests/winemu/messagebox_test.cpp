// Message boxes: a modal #32770 dialog over its disabled owner, traced once, answered by the
// script; a box the script cannot answer ends the run with an error.
#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace k7x::test {
namespace {

using winemu::ui::ScriptDriver;
using winemu::ui::UiError;

std::string ErrorOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const UiError& e) {
    return e.what();
  }
  return "no error";
}

class MessageBoxTest : public UiTest {};

TEST_F(MessageBoxTest, ABoxOverAModalDialogDisablesItAndGivesTheAnswerBack) {
  HWND frame = Modeless(IDD_FRAME);
  DialogLog modal;
  int answer = 0;
  HWND modalWindow = nullptr;
  modal.handler = [&](HWND h, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDC_CHECK) {
      modalWindow = h;
      answer = MessageBoxA(h, "Question?", "Cap", MB_YESNO | MB_ICONQUESTION);
      return TRUE;
    }
    return 0;
  };
  ScriptDriver script;
  script.Click(IDC_CHECK)
      .Then([&] {
        EXPECT_TRUE(winemu::ui::MessageBoxOpen());
        EXPECT_FALSE(IsWindowEnabled(modalWindow));
        EXPECT_FALSE(IsWindowEnabled(frame));
        EXPECT_EQ(GetWindow(GetActiveWindow(), GW_OWNER), modalWindow);
      })
      .Dump()
      .Answer(IDNO)
      .Then([&] {
        EXPECT_EQ(answer, IDNO);
        EXPECT_EQ(GetActiveWindow(), modalWindow);
        EXPECT_TRUE(IsWindowEnabled(modalWindow));
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_CHECK);  // the focus comes back where it was
      })
      .Click(IDOK);
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_CONTROLS), frame, &LoggingProc, reinterpret_cast<LPARAM>(&modal)), IDOK);
  EXPECT_TRUE(IsWindowEnabled(frame));
  EXPECT_EQ(TraceLines("msgbox"), std::vector<std::string>{"msgbox owner=" + winemu::user32::HandleText(modalWindow) +
                                                           " style=0x00000024 caption=\"Cap\" text=\"Question?\""});
  ASSERT_EQ(script.Dumps().size(), 1u);
  const std::string& dump = script.Dumps()[0];
  EXPECT_NE(dump.find("window #32770 msgbox \"Cap\""), std::string::npos) << dump;
  EXPECT_NE(dump.find("65535 Static text \"Question?\""), std::string::npos) << dump;
  EXPECT_NE(dump.find("6 Button defpush \"&Yes\""), std::string::npos) << dump;
  EXPECT_NE(dump.find("7 Button push \"&No\""), std::string::npos) << dump;
  EXPECT_NE(dump.find("20 Static icon \"\""), std::string::npos) << dump;
}

TEST_F(MessageBoxTest, TheDefaultButtonAnswersUnlessTheScriptNamesOne) {
  ScriptDriver script;
  // A script answers boxes only with answer; the keys here come from C++ steps.
  script.Answer().Answer().Then([] { winemu::ui::Key("Escape"); }).Then([] { winemu::ui::Key("Escape"); });
  script.Then([] { EXPECT_TRUE(winemu::ui::MessageBoxOpen()); }).Answer(IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "a", nullptr, MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_OK), IDOK);  // Escape answers a box with only OK with OK
  // A Yes/No box ignores Escape and has no close box.
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_YESNO), IDYES);
  EXPECT_EQ(script.Remaining(), 0u);
  EXPECT_EQ(TraceLines("msgbox")[1], "msgbox owner=none style=0x00000000 caption=\"Error\" text=\"a\"");
}

TEST_F(MessageBoxTest, AltF4IsTheSystemMenusCloseAndATextStaysInOneTraceRecord) {
  ScriptDriver script;
  script.Then([] { winemu::ui::AltF4(); }).Then([] { winemu::ui::AltF4(); }).Answer(IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "two\nlines \"quoted\"", "b", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_YESNO), IDNO);  // no Close there: Alt+F4 does nothing
  EXPECT_EQ(script.Remaining(), 0u);
  EXPECT_EQ(TraceLines("msgbox")[0], "msgbox owner=none style=0x00000001 caption=\"b\" text=\"two\\nlines \\\"quoted\\\"\"");
}

TEST_F(MessageBoxTest, ButtonsSpeakTheSystemsLanguage) {
  MakeMachineFor(0x0804, 936);
  ScriptDriver script;
  script.Dump().Answer();
  MessageBoxA(nullptr, "a", "b", MB_OKCANCEL);
  EXPECT_NE(script.Dumps()[0].find("1 Button defpush \"确定\""), std::string::npos) << script.Dumps()[0];
  EXPECT_NE(script.Dumps()[0].find("2 Button push \"取消\""), std::string::npos);
}

TEST_F(MessageBoxTest, ABoxTheScriptCannotAnswerIsAnErrorNotAHang) {
  std::string ended = ErrorOf([] {
    ScriptDriver script;
    MessageBoxA(nullptr, "Installed.", "Setup", MB_OK | MB_ICONEXCLAMATION);
  });
  EXPECT_EQ(ended, "the script ended while a message box waits for an answer (caption \"Setup\" text \"Installed.\")");
  std::string other = ErrorOf([] {
    ScriptDriver script;
    script.Click(1);
    MessageBoxA(nullptr, "Installed.", "Setup", MB_OK);
  });
  EXPECT_EQ(other, "click 1: a message box is open (caption \"Setup\" text \"Installed.\"); answer it first");
  std::string wrong = ErrorOf([] {
    ScriptDriver script;
    script.Answer(IDCANCEL);
    MessageBoxA(nullptr, "x", "y", MB_YESNO);
  });
  EXPECT_EQ(wrong, "answer 2: the message box has no button 2");
  std::string none = ErrorOf([] { MessageBoxA(nullptr, "x", "y", MB_OK); });
  EXPECT_EQ(none, "the program waits for input, but nothing drives it (run it with --script FILE or --terminal)");
}

TEST_F(MessageBoxTest, TestsOfCodeWithBoxesOnlyCanHaveThemAnswered) {
  winemu::ui::MessageBoxAnswers answers({IDNO});
  EXPECT_EQ(MessageBoxA(nullptr, "x", "y", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "x", "y", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "x", "y", MB_RETRYCANCEL), IDRETRY);
  EXPECT_EQ(answers.Answered(), 3);
}

}  // namespace
}  // namespace k7x::test
