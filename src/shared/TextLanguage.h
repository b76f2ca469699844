// The languages the programs speak to the user in, each stored in its own code page: English
// (ASCII), simplified Chinese (936) and traditional Chinese (950). Tables of texts are indexed by it.
#pragma once

#include <windows.h>

enum class TextLanguage { English, SimplifiedChinese, TraditionalChinese };

// English when chosen (`languageChoice` not 0); otherwise simplified Chinese on a simplified
// Chinese system, else traditional Chinese.
TextLanguage ChooseTextLanguage(LANGID systemLanguage, WORD languageChoice);

// The system's own: its Chinese, or English on any other system.
TextLanguage SystemTextLanguage(LANGID systemLanguage);
