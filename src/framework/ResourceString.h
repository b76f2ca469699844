// Strings of the program's string table.
#pragma once

#include <windows.h>

#include <string>

// The string `id` of the string table; empty when there is none.
std::string AfxLoadString(UINT id);
