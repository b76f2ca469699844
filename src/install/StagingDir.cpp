#include "install/StagingDir.h"

#include <windows.h>

#include <initializer_list>

void SweepStagingDir() {
  for (const char* dir : {"c:\\temp\\i386", "c:\\temp\\x86", "c:\\temp"}) RemoveDirectoryA(dir);
}

void CreateStagingDirs() {
  for (const char* dir : {"C:\\TEMP", "C:\\TEMP\\I386", "C:\\TEMP\\x86"}) CreateDirectoryA(dir, nullptr);
}
