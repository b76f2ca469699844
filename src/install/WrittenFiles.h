// The run's record of what it wrote: every payload staged (the GPD and INI as rewritten) with its
// size and a hash of its bytes, and the copies into the driver directory with the staged file each
// one took. A file holds what the run wrote only when its size and bytes match the record and no
// write to it failed, so a staging cut short (a full disk, a file another program changed) cannot
// pass for an installation.
#pragma once

#include <string>

// Forgets what was recorded and records every payload written from now on.
void StartWrittenFilesRecord();

// The driver directory's `name` (for the environment g_DriverEnvironment) was copied from
// C:\TEMP\`name`.
void NoteCopiedToDriverDir(const std::string& name);

// Whether the file at `path` (a staged file or a copy, as recorded, without case) holds exactly
// what the run wrote there; false for a path the run did not write.
bool WrittenFileIntact(const std::string& path);

// Whether every file recorded since the start holds what the run wrote there.
bool WrittenFilesIntact();
