// The staging directory C:\TEMP with its subdirectories I386 and x86.
#pragma once

constexpr const char* kStagingDir = "C:\\TEMP";

// Removes c:\temp\i386, c:\temp\x86 and c:\temp, each only when it is empty; results ignored.
void SweepStagingDir();

// Creates C:\TEMP, C:\TEMP\I386 and C:\TEMP\x86; an existing directory is left alone.
void CreateStagingDirs();
