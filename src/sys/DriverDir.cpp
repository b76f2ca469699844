#include "sys/DriverDir.h"

#include "shared/globals.h"
#include "sys/ComposeText.h"
#include "sys/Spooler.h"

void CopyToDriverDir(std::string name, BOOL failIfExists) {
  char source[MAX_PATH];
  if (!ComposeText(source, "C:\\TEMP\\%s", name.c_str())) return;
  char directory[MAX_PATH];
  if (!GetDriverDirectory(g_DriverEnvironment, directory)) return;
  char target[MAX_PATH];
  if (!ComposeText(target, "%s\\%s", directory, name.c_str())) return;
  CopyFileA(source, target, failIfExists);
}
