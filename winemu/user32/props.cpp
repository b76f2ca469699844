// Window text, window longs and the state queries.
#include <cstring>

#include "window_ops.h"

using namespace winemu;
using namespace winemu::user32;

namespace {

template <class T>
bool ExtraSlot(Window* w, int index, T** slot) {
  if (index < 0 || static_cast<size_t>(index) + sizeof(T) > w->extra.size()) return SetError(kErrorInvalidIndex), false;
  *slot = reinterpret_cast<T*>(w->extra.data() + index);
  return true;
}

template <class T>
T ReadExtra(Window* w, int index) {
  T* slot = nullptr;
  if (!ExtraSlot(w, index, &slot)) return 0;
  T value;
  std::memcpy(&value, slot, sizeof value);
  return value;
}

template <class T>
T WriteExtra(Window* w, int index, T value) {
  T* slot = nullptr;
  if (!ExtraSlot(w, index, &slot)) return 0;
  T old;
  std::memcpy(&old, slot, sizeof old);
  std::memcpy(slot, &value, sizeof value);
  return old;
}

LONG_PTR GetLong(Window* w, int index, bool pointerSized) {
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent->handle : w->owner ? w->owner->handle : nullptr);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    default: return pointerSized ? ReadExtra<LONG_PTR>(w, index) : ReadExtra<LONG>(w, index);
  }
}

LONG_PTR SetLong(Window* w, int index, LONG_PTR value, bool pointerSized) {
  LONG_PTR old = GetLong(w, index, pointerSized);
  switch (index) {
    case GWLP_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); return old;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); return old;
    case GWLP_HWNDPARENT:
      if (!w->IsChild()) w->owner = W(reinterpret_cast<HWND>(value));
      return old;
    case GWLP_ID: w->id = value; return old;
    case GWLP_USERDATA: w->userData = value; return old;
    case GWL_STYLE: w->style = static_cast<DWORD>(value); return old;
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); return old;
    default:
      return pointerSized ? WriteExtra<LONG_PTR>(w, index, value) : WriteExtra<LONG>(w, index, static_cast<LONG>(value));
  }
}

}  // namespace

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
  Window* w = WOrFail(hWnd);
  return w ? static_cast<LONG>(GetLong(w, nIndex, false)) : 0;
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
  Window* w = WOrFail(hWnd);
  return w ? static_cast<LONG>(SetLong(w, nIndex, dwNewLong, false)) : 0;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) {
  Window* w = WOrFail(hWnd);
  return w ? GetLong(w, nIndex, true) : 0;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
  Window* w = WOrFail(hWnd);
  return w ? SetLong(w, nIndex, dwNewLong, true) : 0;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
  if (!WOrFail(hWnd)) return FALSE;
  return Send(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
  if (!WOrFail(hWnd)) {
    if (lpString && nMaxCount > 0) lpString[0] = '\0';
    return 0;
  }
  if (!lpString || nMaxCount <= 0) return 0;
  lpString[0] = '\0';
  return static_cast<int>(Send(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthA(HWND hWnd) {
  if (!WOrFail(hWnd)) return 0;
  return static_cast<int>(Send(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI IsWindowVisible(HWND hWnd) {
  Window* w = W(hWnd);
  return w && IsVisibleTree(w);
}

BOOL WINAPI IsWindowEnabled(HWND hWnd) {
  Window* w = W(hWnd);
  return w && !(w->style & WS_DISABLED);
}

BOOL WINAPI IsIconic(HWND hWnd) {
  Window* w = W(hWnd);
  return w && (w->style & WS_MINIMIZE);
}
