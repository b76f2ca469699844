// The installation's result as the user sees it, and the end of the wizard that follows it.
#pragma once

#include <windows.h>

#include "shared/TextLanguage.h"

// The success or failure text, stored in the language's code page (936, 950 or ASCII).
const char* ResultText(bool success, TextLanguage language);

// Shows the text in the framework's message box (OK, exclamation, under the program's name, owned
// by the main window) and returns when the user has closed it.
void ShowResult(const char* text);

// Posts WM_QUIT to the main window (the thread's queue while there is none).
void PostQuitToMainWindow();
