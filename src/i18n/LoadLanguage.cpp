// Making sure a language file of the wanted language exists, and recording the language in force.
#include <windows.h>

#include "framework/PathText.h"
#include "i18n/LanguageFile.h"
#include "payload/PayloadIds.h"
#include "shared/SetupApp.h"
#include "shared/SystemLanguage.h"
#include "shared/UserDataDir.h"
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

// Writes the English file and the Chinese one of the system's kind into `languageDir`. False when
// the program lacks either payload (then nothing is to be gained by writing them elsewhere).
bool WriteLanguageFiles(CSetupApp& app, const std::string& languageDir) {
  bool traditional = GetSystemLanguage() == SystemLanguage::TraditionalChinese;
  auto pathOf = [&](TextLanguage l) { return languageDir + "\\" + LanguageFileName(l); };
  bool english = app.ExtractPayload(kPayloadMultiEng, pathOf(TextLanguage::English), FALSE);
  bool chinese = traditional ? app.ExtractPayload(kPayloadMultiChBig5, pathOf(TextLanguage::TraditionalChinese), FALSE)
                             : app.ExtractPayload(kPayloadMultiCh, pathOf(TextLanguage::SimplifiedChinese), FALSE);
  return english && chinese;
}

// The program's folder cannot be written (a CD, a read-only share): the language files go to the
// user's data folder, written afresh at every run, and the file of the system's language is in
// force. Returns that language; `fallback` when there is no such folder.
std::string UseUserLanguageFiles(CSetupApp& app, const std::string& fallback) {
  std::string dir;
  if (!UserDataDir(dir)) return fallback;
  dir += "\\Language";
  CreateDirectoryA(dir.c_str(), nullptr);
  if (!WriteLanguageFiles(app, dir)) return fallback;
  TextLanguage system = SystemTextLanguage(GetSystemDefaultLangID());
  if (!FileExists(dir + "\\" + LanguageFileName(system))) return fallback;
  UseLanguageFile(dir, system);
  return system == TextLanguage::English ? "English" : "Chinese";
}

}  // namespace

void CSetupApp::LoadLanguage(std::string language) {
  std::string languageDir = g_AppDir + "Language";
  if (!LanguagePresent(languageDir, language)) {
    CreateDirectoryA(languageDir.c_str(), nullptr);
    bool payloadsPresent = WriteLanguageFiles(*this, languageDir);
    UseLanguageFile(languageDir, TextLanguage::English);
    language = "English";
    if (payloadsPresent && !FileExists(g_LanguageFile)) language = UseUserLanguageFiles(*this, language);
  }
  WritePrivateProfileStringA("Setting", "Language", language.c_str(), g_SettingFile.c_str());
}
