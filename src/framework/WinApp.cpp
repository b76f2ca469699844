#include "framework/WinApp.h"

#include "framework/PathText.h"
#include "framework/Wnd.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }

CWinApp::CWinApp(const char* appName) : m_strAppName(appName ? appName : "") { g_pApp = this; }

CWinApp::~CWinApp() {
  if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

void CWinApp::InitApplication(HINSTANCE instance) {
  m_hInstance = instance;
  if (!m_strAppName.empty()) return;
  char path[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string name(FileNameOf(path));
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  m_strAppName = name;
}

int CWinApp::Run() { return ExitInstance(); }

int CWinApp::DoMessageBox(const char* prompt, UINT type, UINT) {
  HWND owner = (m_pMainWnd && m_pMainWnd->IsWindow()) ? m_pMainWnd->m_hWnd : nullptr;
  if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
  return ::MessageBoxA(owner, prompt, m_strAppName.c_str(), type);
}

int AfxMessageBox(const char* text, UINT type, UINT helpId) { return AfxGetApp()->DoMessageBox(text, type, helpId); }
