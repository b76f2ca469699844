// RegisterClassA and the class queries; the predefined classes are registered per machine.
#include "classes.h"

#include <cstring>

#include "gdi32/gdi.h"
#include "controls.h"

namespace winemu::user32 {
namespace {

char16_t Fold(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

void AddSystemClass(WindowSystem& ws, const char16_t* name, ATOM atom, WNDPROC proc, int wndExtra, UINT style) {
  auto c = std::make_unique<WindowClass>();
  c->name = name;
  c->atom = atom;
  c->proc = proc;
  c->wndExtra = wndExtra;
  c->style = style;
  c->system = true;
  ws.classes.push_back(std::move(c));
}

}  // namespace

void RegisterSystemClasses(WindowSystem& ws) {
  AddSystemClass(ws, u"Button", 0x0080, &ButtonProc, 0, CS_DBLCLKS | CS_PARENTDC);
  AddSystemClass(ws, u"Edit", 0x0081, &EditProc, 0, CS_DBLCLKS | CS_PARENTDC);
  AddSystemClass(ws, u"Static", 0x0082, &StaticProc, 0, CS_DBLCLKS | CS_PARENTDC);
  AddSystemClass(ws, u"ListBox", 0x0083, &ListBoxProc, 0, CS_DBLCLKS | CS_PARENTDC);
  AddSystemClass(ws, u"ScrollBar", 0x0084, &ScrollBarProc, 0, CS_DBLCLKS | CS_PARENTDC);
  AddSystemClass(ws, u"msctls_progress32", 0, &ProgressProc, 0, CS_GLOBALCLASS);
  AddSystemClass(ws, u"#32770", 0x8002, &DefDlgProcA, DLGWINDOWEXTRA, CS_SAVEBITS | CS_DBLCLKS);
}

WindowClass* FindClass(std::u16string_view name) {
  for (auto& c : WS().classes)
    if (SameName(c->name, name)) return c.get();
  return nullptr;
}

WindowClass* FindClassAtom(ATOM atom) {
  if (!atom) return nullptr;
  for (auto& c : WS().classes)
    if (c->atom == atom) return c.get();
  return nullptr;
}

WindowClass* FindClassA(LPCSTR name) {
  if (!name) return nullptr;
  if (IS_INTRESOURCE(name)) return FindClassAtom(static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name)));
  return FindClass(FromAnsi(name));
}

}  // namespace winemu::user32

using namespace winemu;
using namespace winemu::user32;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXA) || !wc->lpszClassName || wc->cbClsExtra < 0 || wc->cbWndExtra < 0)
    return SetError(ERROR_INVALID_PARAMETER), 0;
  WindowClass* existing = FindClassA(wc->lpszClassName);
  if (existing && !existing->system) return SetError(kErrorClassAlreadyExists), 0;
  auto c = std::make_unique<WindowClass>();
  c->name = IS_INTRESOURCE(wc->lpszClassName) ? std::u16string() : FromAnsi(wc->lpszClassName);
  ATOM atom = 0xC000;
  for (auto& other : WS().classes)
    if (other->atom >= atom) atom = static_cast<ATOM>(other->atom + 1);
  c->atom = atom;
  c->style = wc->style;
  c->proc = wc->lpfnWndProc;
  c->clsExtra = wc->cbClsExtra;
  c->wndExtra = wc->cbWndExtra;
  c->instance = wc->hInstance;
  c->icon = wc->hIcon;
  c->iconSmall = wc->hIconSm;
  c->cursor = wc->hCursor;
  c->background = wc->hbrBackground;
  // A registered class of a predefined name is found first, as an application class is.
  WS().classes.insert(WS().classes.begin(), std::move(c));
  return atom;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return SetError(ERROR_INVALID_PARAMETER), 0;
  WNDCLASSEXA ex{sizeof(WNDCLASSEXA), wc->style, wc->lpfnWndProc, wc->cbClsExtra, wc->cbWndExtra, wc->hInstance,
                 wc->hIcon, wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName, nullptr};
  return RegisterClassExA(&ex);
}

BOOL WINAPI UnregisterClassA(LPCSTR lpClassName, HINSTANCE) {
  WindowClass* c = FindClassA(lpClassName);
  if (!c || c->system) return SetError(kErrorClassDoesNotExist), FALSE;
  auto& classes = WS().classes;
  for (size_t i = 0; i < classes.size(); ++i) {
    if (classes[i].get() != c) continue;
    // A class with live windows stays registered.
    for (Window* w : WS().Live())
      if (w->cls == c) return SetError(kErrorClassHasWindows), FALSE;
    classes.erase(classes.begin() + static_cast<long>(i));
    return TRUE;
  }
  return FALSE;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
  Window* w = WOrFail(hWnd);
  if (!w || !lpClassName || nMaxCount <= 0) return 0;
  return CopyAnsi(w->cls->name, lpClassName, nMaxCount);
}
