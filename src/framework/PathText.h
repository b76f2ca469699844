// Paths as 8-bit text of the system's ANSI code page.
#pragma once

#include <string>

// Whether `path` names an existing file or directory.
bool FileExists(const std::string& path);

// The file name of `path`: what follows its last backslash (or slash), found by characters of the
// system's ANSI code page, since the trail byte of a double-byte character may be 0x5C.
const char* FileNameOf(const char* path);
