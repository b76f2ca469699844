// The application class: one statically constructed object per program; the framework's WinMain
// runs its InitInstance and, when that returns TRUE, its message loop.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
 public:
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  virtual int Run();
  virtual int ExitInstance();

  // A message box owned by the main window (when it exists), under the application's name; a style
  // without an icon gets the exclamation icon. The pressed button's id.
  virtual int DoMessageBox(const char* prompt, UINT type, UINT helpId);

  // Called by WinMain before InitInstance: the instance and the application name (the program
  // file's name without extension unless the constructor named one).
  void InitApplication(HINSTANCE instance);

  HINSTANCE m_hInstance = nullptr;
  std::string m_strAppName;
  CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();

// The application's message box (CWinApp::DoMessageBox).
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
