// The language of the texts the programs show in message boxes of their own.
#pragma once

#include <windows.h>

enum class TextLanguage { SimplifiedChinese, TraditionalChinese, English };

// English when chosen (`languageChoice` not 0); otherwise simplified Chinese on a system with
// language 2052, else traditional Chinese.
TextLanguage ChooseTextLanguage(LANGID systemLanguage, WORD languageChoice);

// The system's own choice: Chinese on a system whose language has the primary language 4.
TextLanguage SystemTextLanguage(LANGID systemLanguage);
