#include "sys/DriverDir.h"

#include "shared/ComposeText.h"
#include "shared/RunLog.h"
#include "shared/constants.h"
#include "shared/globals.h"
#include "sys/Spooler.h"

void CopyToDriverDir(std::string name, BOOL failIfExists) {
  char source[kPathBufferSize];
  if (!ComposeText(source, "%s\\%s", kStagingDir, name.c_str())) return;
  char directory[kPathBufferSize];
  if (!GetDriverDirectory(g_DriverEnvironment, directory)) return;
  char target[kPathBufferSize];
  if (!ComposeText(target, "%s\\%s", directory, name.c_str())) return;
  if (CopyFileA(source, target, failIfExists)) LogLine("Copied %s to %s", source, target);
  else LogLine("%s cannot be copied to %s (error %lu)", source, target, static_cast<unsigned long>(GetLastError()));
}
