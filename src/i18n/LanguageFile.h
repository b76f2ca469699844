// The language files of the program directory's Language folder, one per language the wizard
// speaks, and the choice of the one in force.
#pragma once

#include <string>

#include "shared/TextLanguage.h"

// "Multi_eng.dll", "Multi_ch.dll" or "Multi_ch_BIG5.dll".
const char* LanguageFileName(TextLanguage language);

// The file of `language` in `languageDir` becomes g_LanguageFile, and `language` g_WizardLanguage.
void UseLanguageFile(const std::string& languageDir, TextLanguage language);
