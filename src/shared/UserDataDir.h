// Where the program keeps the data files it cannot write next to itself (started from a CD or a
// read-only share): a folder of its own in the user's folder for temporary files.
//
// Why there: GetTempPathA is in kernel32 on every system from Windows 2000 to 7, so no library has
// to be loaded to find it, and by default it is the user's own (%USERPROFILE%\Local Settings\Temp up
// to Server 2003, %USERPROFILE%\AppData\Local\Temp from Vista), writable for the user and for
// nobody else. Only data goes there (language files, the default settings), and the program writes
// every file afresh before it reads it, so it never trusts what it finds there; nothing is started
// or loaded from it.
#pragma once

#include <string>

// Creates the folder when missing and gives its path (without trailing backslash); false when
// there is none.
bool UserDataDir(std::string& dir);
