#include "shared/TextLanguage.h"

#include "shared/SystemLanguage.h"

TextLanguage ChooseTextLanguage(LANGID systemLanguage, WORD languageChoice) {
  if (languageChoice != 0) return TextLanguage::English;
  return SystemLanguageOf(systemLanguage) == SystemLanguage::SimplifiedChinese ? TextLanguage::SimplifiedChinese
                                                                              : TextLanguage::TraditionalChinese;
}

TextLanguage SystemTextLanguage(LANGID systemLanguage) {
  return ChooseTextLanguage(systemLanguage, IsChinese(SystemLanguageOf(systemLanguage)) ? 0 : 1);
}
