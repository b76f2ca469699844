#include "shared/SystemLanguage.h"

SystemLanguage SystemLanguageOf(LANGID id) {
  if ((id & 0xFF) != 0x04) return SystemLanguage::Other;
  return id == 0x0804 ? SystemLanguage::SimplifiedChinese : SystemLanguage::TraditionalChinese;
}

SystemLanguage GetSystemLanguage() { return SystemLanguageOf(GetSystemDefaultLangID()); }
