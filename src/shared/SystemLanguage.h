// The system language rule: the system default language identifier with low byte 4 marks a Chinese
// system; 2052 (0x0804) is simplified Chinese, any other Chinese identifier traditional Chinese.
#pragma once

#include <windows.h>

enum class SystemLanguage { Other, SimplifiedChinese, TraditionalChinese };

SystemLanguage SystemLanguageOf(LANGID id);

// The rule applied to GetSystemDefaultLangID().
SystemLanguage GetSystemLanguage();

inline bool IsChinese(SystemLanguage language) { return language != SystemLanguage::Other; }
