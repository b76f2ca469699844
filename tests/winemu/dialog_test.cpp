// Dialogs from templates: layout in dialog units, ids, classes, child order, fonts, focus and
// visibility at creation, child dialogs, the modal run, the template parser.
#include <gtest/gtest.h>

#include "support/byte_builders.h"
#include "ui_fixture.h"
#include "winemu/user32/dlgtemplate.h"

namespace k7x::test {
namespace {

using winemu::ui::ScriptDriver;

std::string Show(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

class DialogTest : public UiTest {};

TEST_F(DialogTest, TemplateUnitsBecomePixelsOfTheFontsBaseUnitsWithCaptionAndFrameOutside) {
  HWND dlg = Modeless(IDD_CONTROLS);
  ASSERT_NE(dlg, nullptr);
  // 200 x 150 units of "MS Sans Serif" 8 (6 x 13): a 300 x 244 client area at 15,33 on the screen
  // (10 and 20 units), the modal frame 3 px around it and the caption 19 px above.
  RECT client{};
  GetClientRect(dlg, &client);
  EXPECT_EQ(Show(client), "0,0,300,244");
  EXPECT_EQ(Show(WindowRect(dlg)), "12,11,318,280");
  POINT origin{0, 0};
  ClientToScreen(dlg, &origin);
  EXPECT_EQ(origin.x, 15);
  EXPECT_EQ(origin.y, 33);
  // EDITTEXT 10, 10, 100, 14 -> 15, 16 (16.25), 150 x 23 (22.75).
  EXPECT_EQ(Show(RectIn(GetDlgItem(dlg, IDC_EDIT), dlg)), "15,16,165,39");
  RECT units{0, 0, 4, 8};
  MapDialogRect(dlg, &units);
  EXPECT_EQ(Show(units), "0,0,6,13");
}

TEST_F(DialogTest, WithoutAFontTheSystemFontsBaseUnitsApply) {
  HWND dlg = Modeless(IDD_PLAIN);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(LOWORD(GetDialogBaseUnits()), 8);
  EXPECT_EQ(HIWORD(GetDialogBaseUnits()), 16);
  EXPECT_EQ(Show(RectIn(GetDlgItem(dlg, 1), dlg)), "8,16,88,48");
  EXPECT_EQ(SendMessageA(dlg, WM_GETFONT, 0, 0), 0);
}

TEST_F(DialogTest, ControlsComeInTemplateOrderWithTheirClassesAndIds) {
  HWND dlg = Modeless(IDD_CONTROLS);
  std::vector<std::string> seen;
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    char cls[64];
    GetClassNameA(c, cls, sizeof cls);
    seen.push_back(std::to_string(GetDlgCtrlID(c)) + " " + cls);
  }
  std::vector<std::string> want = {"300 Edit",   "301 Button", "302 Button", "303 Button", "304 Button",
                                   "305 ListBox", "306 Static", "307 msctls_progress32", "308 Edit",
                                   "309 Button", "310 Button", "-1 Static",  "1 Button",   "2 Button"};
  EXPECT_EQ(seen, want);
  EXPECT_EQ(GetWindow(GetDlgItem(dlg, IDCANCEL), GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetWindow(GetDlgItem(dlg, IDC_RADIO1), GW_HWNDPREV), GetDlgItem(dlg, IDC_EDIT));
  EXPECT_EQ(GetParent(GetDlgItem(dlg, IDC_EDIT)), dlg);
  EXPECT_EQ(Text(dlg), "Controls");
  EXPECT_EQ(Text(GetDlgItem(dlg, IDC_RADIO2)), "Two");
}

TEST_F(DialogTest, AShortTemplateIdIsUnsignedAndAnExtendedOneSigned) {
  HWND frame = Modeless(IDD_FRAME);
  HWND page = Modeless(IDD_PAGE, frame);
  ASSERT_NE(page, nullptr);
  // DIALOG items carry 16-bit ids (-1 is 65535), DIALOGEX items 32-bit ones.
  EXPECT_EQ(GetDlgCtrlID(GetWindow(page, GW_CHILD)), 65535);
  HWND controls = Modeless(IDD_CONTROLS);
  EXPECT_NE(GetDlgItem(controls, -1), nullptr);
  EXPECT_EQ(GetDlgItem(page, -1), nullptr);
  EXPECT_NE(GetDlgItem(page, 65535), nullptr);
}

TEST_F(DialogTest, EveryControlGetsTheTemplatesFont) {
  HWND dlg = Modeless(IDD_CONTROLS);
  auto font = reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTA lf{};
  ASSERT_EQ(GetObjectA(font, sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(lf.lfHeight, -11);
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(c) == IDC_PROGRESS) continue;
    EXPECT_EQ(SendMessageA(c, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
  }
  // The dialog's own font is the system's, not counted among the program's.
  EXPECT_EQ(winemu::gdi::CurrentStats().fontsCreated, 0);
}

TEST_F(DialogTest, InitialisationGetsTheFirstTabStopAndAVisibleTemplateIsShownAfterIt) {
  log.handler = [&](HWND h, UINT msg, WPARAM, LPARAM) -> INT_PTR {
    if (msg == WM_INITDIALOG) log.lines.push_back(std::string("visible at init ") + (IsWindowVisible(h) ? "1" : "0"));
    return 0;
  };
  HWND dlg = Modeless(IDD_CONTROLS);
  // The edit taking the focus notifies EN_SETFOCUS (0x100) before the dialog shows.
  EXPECT_EQ(log.Take(), (std::vector<std::string>{"visible at init 0", "init focus=300", "command 300 256", "show 1"}));
  EXPECT_TRUE(IsWindowVisible(dlg));
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_EDIT));
  EXPECT_EQ(GetActiveWindow(), dlg);
  EXPECT_FALSE(IsWindowVisible(Modeless(IDD_IMAGES)));
}

TEST_F(DialogTest, AnInitialisationReturningFalseKeepsTheFocusItSet) {
  log.initResult = FALSE;
  log.handler = [&](HWND h, UINT msg, WPARAM, LPARAM) -> INT_PTR {
    if (msg == WM_INITDIALOG) SetFocus(GetDlgItem(h, IDCANCEL));
    return 0;
  };
  HWND dlg = Modeless(IDD_CONTROLS);
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDCANCEL));
}

TEST_F(DialogTest, ADisabledHiddenPageIsAChildThatCannotTakeTheFocus) {
  HWND frame = Modeless(IDD_FRAME);
  HWND before = GetFocus();
  ASSERT_EQ(before, GetDlgItem(frame, IDC_NEXT));
  HWND page = Modeless(IDD_PAGE, frame);
  EXPECT_EQ(GetParent(page), frame);
  EXPECT_EQ(GetWindowLongA(page, GWL_STYLE) & (WS_CHILD | WS_DISABLED | WS_VISIBLE), WS_CHILD | WS_DISABLED);
  EXPECT_EQ(GetFocus(), before);
  EXPECT_EQ(GetWindow(GetDlgItem(frame, IDCANCEL), GW_HWNDNEXT), page);  // appended below the frame's controls
  // Shown and enabled, the page takes the focus for its controls.
  EnableWindow(page, TRUE);
  log.Take();
  ShowWindow(page, SW_SHOW);
  ShowWindow(page, SW_SHOW);
  EXPECT_EQ(log.Take(), std::vector<std::string>{"show 1"});  // only when the visibility changes
  EXPECT_NE(SetFocus(GetDlgItem(page, IDC_PAGE_EDIT)), nullptr);
  EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_PAGE_EDIT));
}

TEST_F(DialogTest, TheModalRunDisablesTheOwnerUntilEndDialog) {
  HWND owner = Modeless(IDD_FRAME);
  DialogLog modal;
  ScriptDriver script;
  HWND seen = nullptr;
  script.Then([&] {
    seen = GetActiveWindow();
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(GetWindow(seen, GW_OWNER), owner);
  });
  script.Click(IDOK);
  INT_PTR r = DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_CONTROLS), GetDlgItem(owner, IDC_NEXT), &LoggingProc,
                              reinterpret_cast<LPARAM>(&modal));
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(script.Remaining(), 0u);
  EXPECT_FALSE(IsWindow(seen));
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
  // The click moved the focus from the edit (EN_KILLFOCUS 0x200) to OK, then BN_CLICKED.
  EXPECT_EQ(modal.Matching("command"), (std::vector<std::string>{"command 300 256", "command 300 512", "command 1 0"}));
}

TEST_F(DialogTest, AModalDialogWithoutWsVisibleShowsWhenItsLoopFirstWaits) {
  DialogLog modal;
  ScriptDriver script;
  script.Then([&] { EXPECT_TRUE(IsWindowVisible(GetActiveWindow())); }).Key("Escape");
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_IMAGES), nullptr, &LoggingProc, reinterpret_cast<LPARAM>(&modal)),
            IDCANCEL);
}

TEST_F(DialogTest, AQuitRequestEndsTheModalRunAndStaysForTheOuterLoop) {
  DialogLog modal;
  ScriptDriver script;
  script.Then([] { PostQuitMessage(7); });
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_CONTROLS), nullptr, &LoggingProc, reinterpret_cast<LPARAM>(&modal)), 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 7u);
  EXPECT_EQ(modal.Matching("destroy"), std::vector<std::string>{"destroy"});
}

TEST_F(DialogTest, AMissingTemplateFails) {
  EXPECT_EQ(CreateDialogParamA(nullptr, MAKEINTRESOURCEA(999), nullptr, &LoggingProc, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(DialogBoxParamA(nullptr, MAKEINTRESOURCEA(999), nullptr, &LoggingProc, 0), -1);
}

// WM_DESTROY goes to the parent before its children, WM_NCDESTROY to the children first.
std::vector<std::string>* g_order = nullptr;
LRESULT CALLBACK OrderProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  std::string name = GetParent(h) ? "child" : "parent";
  if (msg == WM_DESTROY) g_order->push_back(name + " destroy");
  if (msg == WM_NCDESTROY) g_order->push_back(name + " ncdestroy");
  return DefWindowProcA(h, msg, w, l);
}

TEST_F(DialogTest, DestructionSendsDestroyTopDownAndNcDestroyBottomUp) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &OrderProc;
  wc.lpszClassName = "OrderTest";
  ASSERT_NE(RegisterClassA(&wc), 0);
  std::vector<std::string> order;
  g_order = &order;
  HWND parent = CreateWindowExA(0, "OrderTest", "p", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowExA(0, "ordertest", "c", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(DestroyWindow(parent));
  EXPECT_EQ(order, (std::vector<std::string>{"parent destroy", "child destroy", "child ncdestroy", "parent ncdestroy"}));
  EXPECT_FALSE(IsWindow(child));
  g_order = nullptr;
}

TEST(DialogTemplateParser, ReadsAWholeTemplateAndNamesWhereATruncatedOneEnds) {
  std::vector<std::uint8_t> bytes;
  auto word = [&](unsigned v) { k7x::test::U16(bytes, static_cast<std::uint16_t>(v)); };
  // DLGTEMPLATE: style DS_SETFONT, no ex style, 1 item, 0,0,50,20; no menu, class, title "T"; font 8 "A".
  word(0x0040); word(0); word(0); word(0); word(1); word(0); word(0); word(50); word(20);
  word(0); word(0); word('T'); word(0); word(8); word('A'); word(0);
  while (bytes.size() % 4) bytes.push_back(0);
  // DLGITEMTEMPLATE: style, ex style, 1,2,30,10, id 0xFFFF, class 0x0080, title "Ok", no data.
  word(0); word(0x5000); word(0); word(0); word(1); word(2); word(30); word(10); word(0xFFFF);
  word(0xFFFF); word(0x0080); word('O'); word('k'); word(0); word(0);
  auto whole = winemu::user32::ParseDialogTemplate(bytes);
  ASSERT_EQ(whole.error, "");
  EXPECT_FALSE(whole.dialog.extended);
  EXPECT_EQ(whole.dialog.title, u"T");
  EXPECT_EQ(whole.dialog.typeface, u"A");
  ASSERT_EQ(whole.dialog.items.size(), 1u);
  EXPECT_EQ(whole.dialog.items[0].id, 0xFFFFu);
  EXPECT_EQ(whole.dialog.items[0].windowClass.ordinal, 0x0080);
  EXPECT_EQ(whole.dialog.items[0].title.name, u"Ok");
  for (size_t cut : {size_t{3}, size_t{20}, bytes.size() - 4}) {
    auto part = winemu::user32::ParseDialogTemplate(std::span<const std::uint8_t>(bytes.data(), cut));
    EXPECT_NE(part.error.find("the dialog template ends inside"), std::string::npos) << cut;
  }
}

}  // namespace
}  // namespace k7x::test
