// The staging directory C:\TEMP with its subdirectories I386 and x86.
#pragma once

// Removes C:\TEMP\I386, C:\TEMP\x86 and C:\TEMP, each only when it is empty (a link goes as a
// link); results ignored.
void SweepStagingDir();

// The sweep of a run's start, between two takeovers of the folders (StagingFolderGuard.h): the
// folders that exist are made administrators' before the sweep, and all three are made again,
// administrators' alone, before anything is deleted or written in them. False, naming the folder,
// when one cannot be made so; the first failure comes before the run has changed anything.
bool SweepSecuredStagingDir(const char** unsafeFolder);

// Creates C:\TEMP, C:\TEMP\I386 and C:\TEMP\x86 as administrators' folders; an existing one is
// taken over; results ignored.
void CreateStagingDirs();
