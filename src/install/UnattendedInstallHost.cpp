#include "install/UnattendedInstallHost.h"

#include "shared/RunLog.h"

BOOL CUnattendedInstallHost::WritePayload(UINT id, const std::string& path, BOOL rewrite) {
  return m_app.ExtractPayload(id, path, rewrite);
}

void CUnattendedInstallHost::ShowError(const char* text) { LogLine("The local printers cannot be listed: %s", text); }

void CUnattendedInstallHost::ShowResult(const char* text) { LogLine("Result: %s", text); }
