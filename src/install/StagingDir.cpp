#include "install/StagingDir.h"
#include "install/StagingFolderGuard.h"
#include "shared/constants.h"

#include <windows.h>

#include <initializer_list>

void SweepStagingDir() {
  for (const char* dir : {kStagingI386Dir, kStagingX86Dir, kStagingDir}) RemoveDirectoryA(dir);
}

bool SweepSecuredStagingDir(const char** unsafeFolder) {
  if (!SecureStagingDirs(unsafeFolder, false)) return false;
  SweepStagingDir();
  return SecureStagingDirs(unsafeFolder, true);
}

void CreateStagingDirs() {
  const char* unsafeFolder = nullptr;
  SecureStagingDirs(&unsafeFolder, true);
}
