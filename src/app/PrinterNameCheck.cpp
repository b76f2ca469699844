#include "app/PrinterNameCheck.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "shared/globals.h"
#include "framework/WinApp.h"

namespace {

struct RefusalTexts {
  const char* format;     // one %s: the reason
  const char* reasons[4];  // by PrinterNameProblem, less None
};

// English (ASCII), simplified Chinese (code page 936) and traditional Chinese (code page 950).
const RefusalTexts kTexts[3] = {
    {"The setting PrinterName in setting.dll cannot be used: %s\x0aSetup ends without installing anything.",
     {"the name is empty.",
      "the name is longer than 128 characters.",
      "the name contains a character that Windows does not allow in printer or file names (\x5c / : * ? \x22 < > | , or a control character).",
      "the name contains \x22..\x22."}},
    {"setting.dll \xd6\xd0\xb5\xc4 PrinterName \xc9\xe8\xd6\xc3\xce\xde\xb7\xa8\xca\xb9\xd3\xc3\xa3\xba%s\x0a\xb0\xb2\xd7\xb0\xb3\xcc\xd0\xf2\xbd\xab\xcd\xcb\xb3\xf6\xa3\xac\xb2\xbb\xb0\xb2\xd7\xb0\xc8\xce\xba\xce\xc4\xda\xc8\xdd\xa1\xa3",
     {"\xc3\xfb\xb3\xc6\xce\xaa\xbf\xd5\xa1\xa3",
      "\xc3\xfb\xb3\xc6\xb3\xac\xb9\xfd 128 \xb8\xf6\xd7\xd6\xb7\xfb\xa1\xa3",
      "\xc3\xfb\xb3\xc6\xb0\xfc\xba\xac Windows \xb2\xbb\xd4\xca\xd0\xed\xd3\xc3\xd3\xda\xb4\xf2\xd3\xa1\xbb\xfa\xc3\xfb\xb3\xc6\xbb\xf2\xce\xc4\xbc\xfe\xc3\xfb\xb5\xc4\xd7\xd6\xb7\xfb\xa3\xa8\x5c / : * ? \x22 < > | , \xbb\xf2\xbf\xd8\xd6\xc6\xd7\xd6\xb7\xfb\xa3\xa9\xa1\xa3",
      "\xc3\xfb\xb3\xc6\xb0\xfc\xba\xac\xa1\xb0..\xa1\xb1\xa1\xa3"}},
    {"setting.dll \xa4\xa4\xaa\xba PrinterName \xb3]\xa9w\xb5L\xaak\xa8\xcf\xa5\xce\xa1G%s\x0a\xa6w\xb8\xcb\xb5{\xa6\xa1\xb1N\xb5\xb2\xa7\xf4\xa1" "A\xa4\xa3\xa6w\xb8\xcb\xa5\xf4\xa6\xf3\xa4\xba\xae" "e\xa1" "C",
     {"\xa6W\xba\xd9\xac\xb0\xaa\xc5\xa1" "C",
      "\xa6W\xba\xd9\xb6W\xb9L 128 \xad\xd3\xa6r\xa4\xb8\xa1" "C",
      "\xa6W\xba\xd9\xa5]\xa7t Windows \xa4\xa3\xa4\xb9\xb3\x5c\xa5\xce\xa9\xf3\xa6L\xaa\xed\xbe\xf7\xa6W\xba\xd9\xa9\xce\xc0\xc9\xae\xd7\xa6W\xba\xd9\xaa\xba\xa6r\xa4\xb8\xa1]\x5c / : * ? \x22 < > | , \xa9\xce\xb1\xb1\xa8\xee\xa6r\xa4\xb8\xa1^\xa1" "C",
      "\xa6W\xba\xd9\xa5]\xa7t\xa1\xa7..\xa1\xa8\xa1" "C"}},
};

// The wizard speaks the language of the language file in force.
const RefusalTexts& TextsForWizardLanguage() {
  const std::string& file = g_LanguageFile;
  auto endsWith = [&](const char* tail) {
    size_t n = std::strlen(tail);
    return file.size() >= n && lstrcmpiA(file.c_str() + file.size() - n, tail) == 0;
  };
  if (endsWith("\\Multi_ch.dll")) return kTexts[1];
  if (endsWith("\\Multi_ch_BIG5.dll")) return kTexts[2];
  return kTexts[0];
}

}  // namespace

bool CheckPrinterNameOrTellUser(const char* name) {
  PrinterNameProblem problem = CheckPrinterName(name);
  if (problem == PrinterNameProblem::None) return true;
  const RefusalTexts& texts = TextsForWizardLanguage();
  char message[1024];
  std::snprintf(message, sizeof message, texts.format, texts.reasons[static_cast<int>(problem) - 1]);
  MessageBoxA(nullptr, message, AfxGetApp()->m_strAppName.c_str(), MB_OK | MB_ICONSTOP);
  return false;
}
