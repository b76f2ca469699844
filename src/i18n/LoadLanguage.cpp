// Making sure a language file of the wanted language exists, and recording the language in force.
#include <windows.h>

#include "i18n/LanguageFile.h"
#include "payload/PayloadIds.h"
#include "shared/SetupApp.h"
#include "shared/SystemLanguage.h"
#include "shared/globals.h"

namespace {

constexpr DWORD kLanguageValueSize = 1000;

// Whether a *.dll file of the language directory declares `language` in [Setting] Language.
bool LanguagePresent(const std::string& languageDir, const std::string& language) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((languageDir + "\\*.dll").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  bool present = false;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == ".." || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    char value[kLanguageValueSize] = {0};
    GetPrivateProfileStringA("Setting", "Language", "", value, kLanguageValueSize,
                             (languageDir + "\\" + name).c_str());
    present = value[0] != '\0' && language == value;
  } while (!present && FindNextFileA(find, &found));
  FindClose(find);
  return present;
}

}  // namespace

void CSetupApp::LoadLanguage(std::string language) {
  std::string languageDir = g_AppDir + "Language";
  if (!LanguagePresent(languageDir, language)) {
    CreateDirectoryA(languageDir.c_str(), nullptr);
    bool traditional = GetSystemLanguage() == SystemLanguage::TraditionalChinese;
    auto pathOf = [&](TextLanguage l) { return languageDir + "\\" + LanguageFileName(l); };
    ExtractPayload(kPayloadMultiEng, pathOf(TextLanguage::English), FALSE);
    if (traditional) ExtractPayload(kPayloadMultiChBig5, pathOf(TextLanguage::TraditionalChinese), FALSE);
    else ExtractPayload(kPayloadMultiCh, pathOf(TextLanguage::SimplifiedChinese), FALSE);
    UseLanguageFile(languageDir, TextLanguage::English);
    language = "English";
  }
  WritePrivateProfileStringA("Setting", "Language", language.c_str(), g_SettingFile.c_str());
}
