#include "install/StagingDir.h"
#include "shared/constants.h"

#include <windows.h>

#include <initializer_list>

void SweepStagingDir() {
  for (const char* dir : {kStagingI386Dir, kStagingX86Dir, kStagingDir}) RemoveDirectoryA(dir);
}

void CreateStagingDirs() {
  for (const char* dir : {kStagingDir, kStagingI386Dir, kStagingX86Dir}) CreateDirectoryA(dir, nullptr);
}
