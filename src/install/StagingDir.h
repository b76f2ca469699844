// The staging directory C:\TEMP with its subdirectories I386 and x86.
#pragma once

// Removes C:\TEMP\I386, C:\TEMP\x86 and C:\TEMP, each only when it is empty; results ignored.
void SweepStagingDir();

// Creates C:\TEMP, C:\TEMP\I386 and C:\TEMP\x86; an existing directory is left alone.
void CreateStagingDirs();
