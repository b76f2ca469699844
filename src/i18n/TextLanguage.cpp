#include "i18n/TextLanguage.h"

TextLanguage ChooseTextLanguage(LANGID systemLanguage, WORD languageChoice) {
  if (languageChoice != 0) return TextLanguage::English;
  return systemLanguage == 0x0804 ? TextLanguage::SimplifiedChinese : TextLanguage::TraditionalChinese;
}

TextLanguage SystemTextLanguage(LANGID systemLanguage) {
  return ChooseTextLanguage(systemLanguage, (systemLanguage & 0xFF) == 0x04 ? 0 : 1);
}
