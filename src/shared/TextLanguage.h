// The language of the texts the programs show in message boxes of their own.
#pragma once

#include <windows.h>

enum class TextLanguage { SimplifiedChinese, TraditionalChinese, English };

// English when chosen (`languageChoice` not 0); otherwise simplified Chinese on a simplified
// Chinese system, else traditional Chinese.
TextLanguage ChooseTextLanguage(LANGID systemLanguage, WORD languageChoice);

// The system's own: its Chinese, or English on any other system.
TextLanguage SystemTextLanguage(LANGID systemLanguage);
