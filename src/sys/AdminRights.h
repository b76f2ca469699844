// The installation changes the machine (files in the Windows directory, HKLM, the spooler's
// service and drivers); only an administrator may do that. The check, and the text that tells a
// user without those rights why setup cannot continue.
#pragma once

#include "shared/TextLanguage.h"

// Whether the program runs with an administrator's rights: its token holds the Administrators
// group enabled and, on systems with user account control (Vista and later), is elevated.
bool HasAdministratorRights();

// Why setup cannot continue without those rights, in English (ASCII), simplified Chinese (code
// page 936) or traditional Chinese (code page 950).
const char* AdministratorRightsText(TextLanguage language);

// True with the rights; otherwise shows the text (OK, stop icon, under `caption`) and returns false.
bool RequireAdministratorRights(TextLanguage language, const char* caption);
