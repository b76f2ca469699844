// Applying the language file's texts (and, on an English system, one font) to a new dialog.
#pragma once

class CWnd;

// Sets the title from key "IDD<templateId>_Title" and each direct child's text from
// "IDD<templateId>_<control id>" of section [String] of g_LanguageFile, where the file has a
// non-empty text; control 1019 is never given a text. On a system whose default language is
// English every child gets Arial 13.
void g_SetDialogStrings(CWnd* dialog, int templateId);
