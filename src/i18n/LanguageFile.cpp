#include "i18n/LanguageFile.h"

#include "shared/globals.h"

const char* LanguageFileName(TextLanguage language) {
  switch (language) {
    case TextLanguage::SimplifiedChinese: return "Multi_ch.dll";
    case TextLanguage::TraditionalChinese: return "Multi_ch_BIG5.dll";
    case TextLanguage::English: break;
  }
  return "Multi_eng.dll";
}

void UseLanguageFile(const std::string& languageDir, TextLanguage language) {
  g_LanguageFile = languageDir + "\\" + LanguageFileName(language);
  g_WizardLanguage = language;
}
