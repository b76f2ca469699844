// user32: window geometry and order: GetWindowRect, SetWindowPos, MoveWindow, ScreenToClient,
// the frame AdjustWindowRectEx adds, GetWindow's order of siblings, window text, visibility and
// enabling, and DestroyWindow taking the children along.
#include <cstring>

#include "check.h"
#include "parts.h"

namespace conformance {
namespace {

constexpr const char* kClass = "K7XConformanceWindow";

HWND Make(DWORD style, int x, int y, int cx, int cy, HWND parent, const char* text = "") {
  return CreateWindowExA(0, kClass, text, style, x, y, cx, cy, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void ExpectRect(HWND hwnd, LONG left, LONG top, LONG right, LONG bottom, const char* what) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  ok(r.left == left && r.top == top && r.right == right && r.bottom == bottom,
     "%s: the window rectangle is (%d,%d,%d,%d), expected (%d,%d,%d,%d)", what, static_cast<int>(r.left),
     static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom), static_cast<int>(left),
     static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom));
}

void CheckGeometry() {
  HWND top = Make(WS_POPUP, 100, 120, 200, 150, nullptr);
  ok(top != nullptr, "CreateWindowExA failed with %u", static_cast<unsigned>(GetLastError()));
  ExpectRect(top, 100, 120, 300, 270, "a new pop-up");
  RECT client{};
  GetClientRect(top, &client);
  ok(client.left == 0 && client.top == 0 && client.right == 200 && client.bottom == 150,
     "a pop-up without border has client (%d,%d,%d,%d), expected (0,0,200,150)", static_cast<int>(client.left),
     static_cast<int>(client.top), static_cast<int>(client.right), static_cast<int>(client.bottom));
  HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 20, 50, 40, top);
  ExpectRect(child, 110, 140, 160, 180, "a child, in screen coordinates");
  POINT p{110, 140};
  ok(ScreenToClient(top, &p) && p.x == 10 && p.y == 20, "ScreenToClient gave (%d,%d), expected (10,20)",
     static_cast<int>(p.x), static_cast<int>(p.y));
  ok(ClientToScreen(top, &p) && p.x == 110 && p.y == 140, "ClientToScreen gave (%d,%d), expected (110,140)",
     static_cast<int>(p.x), static_cast<int>(p.y));

  ok(SetWindowPos(top, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE), "SetWindowPos failed");
  ExpectRect(top, 30, 40, 230, 190, "moved by SetWindowPos with SWP_NOSIZE");
  ExpectRect(child, 40, 60, 90, 100, "the child of the moved window");
  SetWindowPos(top, nullptr, 0, 0, 120, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ExpectRect(top, 30, 40, 150, 100, "sized by SetWindowPos with SWP_NOMOVE");
  ok(MoveWindow(child, 5, 6, 20, 10, TRUE), "MoveWindow failed");
  ExpectRect(child, 35, 46, 55, 56, "a child placed by MoveWindow");
  ok(IsWindowVisible(child) == FALSE, "a visible child of a hidden window counts as visible");
  ok(ShowWindow(top, SW_SHOWNA) == FALSE && IsWindowVisible(child), "ShowWindow of a hidden window returns FALSE");
  ok(ShowWindow(top, SW_HIDE) != FALSE, "ShowWindow of a visible window returns nonzero");

  HWND framed = Make(WS_POPUP | WS_CAPTION, 0, 0, 300, 200, nullptr);
  RECT window{};
  GetWindowRect(framed, &window);
  GetClientRect(framed, &client);
  RECT adjusted{0, 0, client.right, client.bottom};
  AdjustWindowRectEx(&adjusted, WS_POPUP | WS_CAPTION, FALSE, 0);
  ok(adjusted.right - adjusted.left == window.right - window.left &&
         adjusted.bottom - adjusted.top == window.bottom - window.top && client.bottom < 200,
     "a captioned window of 300x200 has client %dx%d, which AdjustWindowRectEx makes %dx%d",
     static_cast<int>(client.right), static_cast<int>(client.bottom), static_cast<int>(adjusted.right - adjusted.left),
     static_cast<int>(adjusted.bottom - adjusted.top));
  DestroyWindow(framed);
  DestroyWindow(top);
  ok(!IsWindow(child), "DestroyWindow left the child");
}

void CheckOrderAndState() {
  HWND top = Make(WS_POPUP, 0, 0, 100, 100, nullptr, "Parent");
  HWND a = Make(WS_CHILD, 0, 0, 10, 10, top, "a");
  HWND b = Make(WS_CHILD, 0, 0, 10, 10, top, "b");
  HWND c = Make(WS_CHILD, 0, 0, 10, 10, top, "c");
  ok(GetWindow(top, GW_CHILD) == a && GetWindow(a, GW_HWNDNEXT) == b && GetWindow(b, GW_HWNDNEXT) == c &&
         GetWindow(c, GW_HWNDNEXT) == nullptr,
     "children created in turn do not follow each other in creation order");
  ok(GetWindow(c, GW_HWNDPREV) == b && GetWindow(a, GW_HWNDFIRST) == a && GetWindow(a, GW_HWNDLAST) == c,
     "GW_HWNDPREV, GW_HWNDFIRST or GW_HWNDLAST disagree with the order");
  SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ok(GetWindow(top, GW_CHILD) == c && GetWindow(c, GW_HWNDNEXT) == a, "SetWindowPos HWND_TOP did not put the child first");
  ok(GetParent(a) == top && GetWindow(a, GW_OWNER) == nullptr, "a child's parent is not its creator");

  char text[16] = {};
  ok(SetWindowTextA(top, "Conformance") && GetWindowTextA(top, text, sizeof text) == 11 &&
         std::strcmp(text, "Conformance") == 0,
     "the window text reads '%s', expected 'Conformance'", text);
  ok(GetWindowTextA(top, text, 5) == 4 && std::strcmp(text, "Conf") == 0,
     "GetWindowTextA into 5 bytes gave '%s', expected 'Conf'", text);
  ok(GetWindowTextLengthA(top) == 11, "GetWindowTextLengthA gave %d, expected 11", GetWindowTextLengthA(top));
  ok(EnableWindow(top, FALSE) == FALSE && !IsWindowEnabled(top), "EnableWindow(FALSE) of an enabled window returns FALSE");
  ok(EnableWindow(top, FALSE) != FALSE, "EnableWindow(FALSE) of a disabled window returns nonzero");
  ok(EnableWindow(top, TRUE) != FALSE && IsWindowEnabled(top), "EnableWindow(TRUE) of a disabled window returns nonzero");
  DestroyWindow(top);
  ok(!IsWindow(a) && !IsWindow(c), "DestroyWindow left the children");
  RECT gone{};
  ok_fails(!GetWindowRect(top, &gone), ERROR_INVALID_WINDOW_HANDLE, "GetWindowRect of a destroyed window");
}

}  // namespace

void CheckWindows() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClass;
  ok(RegisterClassA(&wc) != 0, "RegisterClassA failed with %u", static_cast<unsigned>(GetLastError()));
  ok_fails(RegisterClassA(&wc) == 0, ERROR_CLASS_ALREADY_EXISTS, "RegisterClassA of a registered class");
  CheckGeometry();
  CheckOrderAndState();
  ok(UnregisterClassA(kClass, GetModuleHandleA(nullptr)), "UnregisterClassA failed with %u",
     static_cast<unsigned>(GetLastError()));
}

}  // namespace conformance
