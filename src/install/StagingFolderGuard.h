// C:\TEMP is not a place only administrators control: on Windows 2000 Everyone may change it, and
// from XP on any user may make it and owns what they make. Before the run deletes, writes or reads
// anything there, C:\TEMP, C:\TEMP\I386 and C:\TEMP\x86 are made real folders (a junction or
// symbolic link in their place is removed as a link) owned by Administrators, with a protected DACL
// that lets only Administrators and SYSTEM write, delete or change permissions (Users may read),
// inherited by what is made in them.
#pragma once

#include <windows.h>

#include "shared/TextLanguage.h"

// Makes the three folders so (`makeMissing`: also those that do not exist), taking over one that
// exists with another owner or wider rights; true when all three are so afterwards, else false
// with the first one that is not (a file in its place, a link that would not go, a descriptor the
// system refused, as on a drive without security).
bool SecureStagingDirs(const char** failedFolder, bool makeMissing);

// Why the run cannot go on, naming the folder, in the language's code page.
void StagingRefusalText(TextLanguage language, const char* folder, char (&text)[512]);

