// Plain windows and what user32 keeps about them: longs, icons, the cursor, metrics, the system
// menu, and the trace of the wait cursor.
#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace k7x::test {
namespace {

class WindowTest : public UiTest {};

TEST_F(WindowTest, WindowLongsAndTheDialogSlotsArePointerSized) {
  HWND dlg = Modeless(IDD_CONTROLS);
  auto big = static_cast<LONG_PTR>(reinterpret_cast<std::uintptr_t>(&log));
  SetWindowLongPtrA(dlg, DWLP_USER, big);
  EXPECT_EQ(GetWindowLongPtrA(dlg, DWLP_USER), big);
  EXPECT_EQ(GetWindowLongPtrA(dlg, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(&LoggingProc));
  EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, IDC_EDIT), GWL_ID), IDC_EDIT);
  EXPECT_TRUE(GetWindowLongA(dlg, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrA(dlg, 4096), 0);
  EXPECT_EQ(GetLastError(), 1413u);  // ERROR_INVALID_INDEX
  SetWindowLongA(dlg, GWL_EXSTYLE, GetWindowLongA(dlg, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  EXPECT_TRUE(GetWindowLongA(dlg, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
}

TEST_F(WindowTest, IconsComeFromTheSystemOrTheResourcesAndWmSetIconKeepsThem) {
  HICON app = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TEST));
  ASSERT_NE(app, nullptr);
  EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TEST)), app);  // shared
  EXPECT_EQ(winemu::user32::IconOf(app)->width, 32);
  auto small = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TEST), IMAGE_ICON, 16, 16, 0));
  EXPECT_EQ(winemu::user32::IconOf(small)->width, 16);
  EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
  EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999)), nullptr);
  HWND dlg = Modeless(IDD_CONTROLS);
  EXPECT_EQ(SendMessageA(dlg, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app)), 0);
  EXPECT_EQ(SendMessageA(dlg, WM_GETICON, ICON_BIG, 0), reinterpret_cast<LRESULT>(app));
  EXPECT_EQ(SendMessageA(dlg, WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(WindowTest, TheWaitCursorShowsInTheTrace) {
  EXPECT_EQ(winemu::user32::IconOf(GetCursor())->name, "IDC_ARROW");
  HCURSOR before = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));  // no change, no line
  SetCursor(before);
  EXPECT_EQ(TraceLines("cursor"), (std::vector<std::string>{"cursor IDC_WAIT", "cursor IDC_ARROW"}));
}

TEST_F(WindowTest, MetricsAreTheClassicLooksAt96Dpi) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXDLGFRAME), 3);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
  RECT r{0, 0, 100, 50};
  AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
  EXPECT_EQ(r.left, -3);
  EXPECT_EQ(r.top, -22);
  EXPECT_EQ(r.right, 103);
  EXPECT_EQ(r.bottom, 53);
}

TEST_F(WindowTest, ASystemMenuHasTheDialogItemsAndWhatTheProgramAppends) {
  HWND dlg = Modeless(IDD_CONTROLS);
  HMENU menu = GetSystemMenu(dlg, FALSE);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetSystemMenu(dlg, FALSE), menu);
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  EXPECT_TRUE(AppendMenuA(menu, MF_SEPARATOR, 0, nullptr));
  EXPECT_TRUE(AppendMenuA(menu, MF_STRING, 16, "About..."));
  EXPECT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_EQ(GetMenuItemID(menu, 3), 16u);
  char text[32];
  EXPECT_EQ(GetMenuStringA(menu, 16, text, sizeof text, MF_BYCOMMAND), 8);
  EXPECT_STREQ(text, "About...");
  EXPECT_EQ(GetSystemMenu(Modeless(IDD_PLAIN), FALSE), nullptr);  // no WS_SYSMENU
}

TEST_F(WindowTest, CoordinatesMapBetweenTheScreenAndClientAreas) {
  HWND dlg = Modeless(IDD_CONTROLS);
  HWND edit = GetDlgItem(dlg, IDC_EDIT);
  RECT r{};
  GetWindowRect(edit, &r);
  POINT p{r.left, r.top};
  ScreenToClient(dlg, &p);
  EXPECT_EQ(p.x, 15);
  EXPECT_EQ(p.y, 16);
  SetWindowPos(edit, nullptr, 1, 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(RectIn(edit, dlg).left, 1);
  EXPECT_EQ(RectIn(edit, dlg).right, 151);
  MoveWindow(edit, 5, 6, 10, 12, TRUE);
  RECT client{};
  GetClientRect(edit, &client);
  EXPECT_EQ(client.right, 10 - 2);  // an EDITTEXT's 1-pixel border lies outside its client area
  EXPECT_EQ(client.bottom, 12 - 2);
}

}  // namespace
}  // namespace k7x::test
