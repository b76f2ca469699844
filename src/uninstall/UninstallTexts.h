// What the uninstaller says, in each language: the Chinese texts as code page 936 and 950 bytes.
#pragma once

#include "shared/TextLanguage.h"

struct UninstallTexts {
  const char* caption;     // %s: the printer name
  const char* confirm;     // %s: the printer name
  const char* removed;     // %s: the printer name
  const char* incomplete;  // %s: the printer name
  const char* badName;     // the program's own file name does not carry a usable printer name
};

const UninstallTexts& TextsFor(TextLanguage language);
