// The file and form operations of the removal: one old driver file by name from one of its three
// places, and one paper form. A name must be a bare file name and every path must fit its
// 260-character buffer, so no file outside those places is ever deleted.
#include <windows.h>

#include "shared/ComposeText.h"
#include "shared/SetupApp.h"
#include "shared/RunLog.h"
#include "shared/constants.h"
#include "sys/Spooler.h"

namespace {

bool IsBareFileName(const std::string& name) { return !name.empty() && name.find_first_of("\\/:") == std::string::npos; }

BOOL DeleteIn(const char* directory, const std::string& name) {
  if (!IsBareFileName(name)) return FALSE;
  char path[kPathBufferSize];
  if (!ComposeText(path, "%s\\%s", directory, name.c_str()) || !DeleteFileA(path)) return FALSE;
  LogLine("Deleted %s", path);
  return TRUE;
}

}  // namespace

BOOL CSetupApp::DeleteDriverFile(std::string name) {
  char directory[kPathBufferSize];
  if (!GetDriverDirectory(kDriverEnvironment, directory)) return FALSE;
  return DeleteIn(directory, name);
}

BOOL CSetupApp::DeleteDriverVersionFile(std::string name) {
  char directory[kPathBufferSize];
  if (!GetDriverDirectory(kDriverEnvironment, directory)) return FALSE;
  char versionDirectory[kPathBufferSize];
  if (!ComposeText(versionDirectory, "%s\\3", directory)) return FALSE;
  return DeleteIn(versionDirectory, name);
}

BOOL CSetupApp::DeleteTempFile(std::string name) { return DeleteIn("c:\\temp", name); }

// Forms belong to the print server, so the form goes through the server's handle; the printer
// name the removal works out is not needed for that.
void CSetupApp::DeletePaperForm(std::string, std::string formName) { DeleteServerForm(formName.c_str()); }
