#include "install/WizardInstallHost.h"

BOOL CWizardInstallHost::WritePayload(UINT id, const std::string& path, BOOL rewrite) {
  return m_app.ExtractPayload(id, path, rewrite);
}

HWND CWizardInstallHost::Owner() const { return m_frame && IsWindow(m_frame) ? m_frame : nullptr; }

// Modal to the wizard: no command of the wizard can run while it is open.
void CWizardInstallHost::ShowError(const char* text) {
  MessageBoxA(Owner(), text, "ERROR", MB_OK | MB_ICONINFORMATION);
}

void CWizardInstallHost::ShowResult(const char* text) {
  MessageBoxA(Owner(), text, m_app.m_strAppName.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CWizardInstallHost::EndWizard() { PostMessageA(m_frame, WM_QUIT, 0, 0); }
