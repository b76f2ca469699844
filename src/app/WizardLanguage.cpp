#include "app/WizardLanguage.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "shared/globals.h"

TextLanguage WizardLanguage() {
  const std::string& file = g_LanguageFile;
  auto endsWith = [&](const char* tail) {
    size_t n = std::strlen(tail);
    return file.size() >= n && lstrcmpiA(file.c_str() + file.size() - n, tail) == 0;
  };
  if (endsWith("\\Multi_ch.dll")) return TextLanguage::SimplifiedChinese;
  if (endsWith("\\Multi_ch_BIG5.dll")) return TextLanguage::TraditionalChinese;
  return TextLanguage::English;
}
