#include "sys/DriverDir.h"

#include "shared/ComposeText.h"
#include "shared/RunLog.h"
#include "shared/constants.h"
#include "shared/globals.h"
#include "sys/Spooler.h"

bool DriverDirPath(const std::string& name, char (&path)[kPathBufferSize]) {
  char directory[kPathBufferSize];
  return GetDriverDirectory(g_DriverEnvironment, directory) && ComposeText(path, "%s\\%s", directory, name.c_str());
}

bool StagingDirPath(const std::string& name, char (&path)[kPathBufferSize]) {
  return ComposeText(path, "%s\\%s", kStagingDir, name.c_str());
}

void CopyToDriverDir(std::string name, BOOL failIfExists) {
  char source[kPathBufferSize];
  if (!StagingDirPath(name, source)) return;
  char target[kPathBufferSize];
  if (!DriverDirPath(name, target)) return;
  if (CopyFileA(source, target, failIfExists)) LogLine("Copied %s to %s", source, target);
  else LogLine("%s cannot be copied to %s (error %lu)", source, target, static_cast<unsigned long>(GetLastError()));
}
