// The window object: an HWND with the framework's operations on it. Windows whose procedure the
// framework runs (dialogs) are registered while their window exists, so a handle leads back to the
// C++ object; any other handle is given a temporary wrapper.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Menu.h"

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // The framework's object of a registered window, otherwise a temporary wrapper of the handle
  // (not to be kept); nullptr for nullptr.
  static CWnd* FromHandle(HWND hWnd);
  // The framework's object of a registered window, nullptr for any other handle.
  static CWnd* FromHandlePermanent(HWND hWnd);

  BOOL IsWindow() const { return ::IsWindow(m_hWnd); }

  // Tree and ids.
  CWnd* GetParent() const;
  CWnd* GetDlgItem(int id) const;
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

  // Text and font.
  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
  void GetWindowText(std::string& text) const;
  void SetFont(HFONT font, BOOL redraw = TRUE);

  // State and styles.
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL ShowWindow(int cmdShow) { return ::ShowWindow(m_hWnd, cmdShow); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
  // Clear `remove` and set `add` in the style (ModifyStyle) or the extended style (ModifyStyleEx);
  // with `flags`, SetWindowPos makes the frame follow. TRUE when the style changed.
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

  // Geometry.
  void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
  void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
  void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
  void ScreenToClient(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);

  // Painting.
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }

  // Icons, menu, timers, messages, destruction.
  HICON SetIcon(HICON icon, BOOL bigIcon);
  // The window's system menu, or nullptr (also after `revert`, which restores the standard one).
  CMenu* GetSystemMenu(BOOL revert);
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapse, proc); }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL DestroyWindow();

  HWND m_hWnd = nullptr;

 protected:
  // Registers this object as the framework's object of `hWnd`, and forgets it again.
  void Attach(HWND hWnd);
  void Detach();

 private:
  CMenu m_systemMenu;
  bool m_bPermanent = false;  // registered in the handle map
};
