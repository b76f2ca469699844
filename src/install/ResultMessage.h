// The installation's result as the user reads it.
#pragma once

#include "shared/TextLanguage.h"

// The success or failure text, stored in the language's code page (936, 950 or ASCII).
const char* ResultText(bool success, TextLanguage language);
