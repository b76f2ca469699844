#include "i18n/DialogStrings.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "framework/Wnd.h"
#include "shared/globals.h"

namespace {

constexpr DWORD kTextSize = 1000;
constexpr int kNeverTranslated = 1019;  // the printer setting page's name box keeps its own text
constexpr LANGID kEnglish = 0x09;

// Arial, 13 logical units high, normal weight, ANSI character set, Swiss family. A new font for
// each dialog, kept for the rest of the run: the dialog's controls use it as long as they live.
HFONT CreateDialogFont() {
  return ::CreateFontA(13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
}

// The key's text in [String] of the language file; empty when the file has none.
void ReadText(const char* key, char (&text)[kTextSize]) {
  ::GetPrivateProfileStringA("String", key, "", text, kTextSize, g_LanguageFile.c_str());
}

}  // namespace

void g_SetDialogStrings(CWnd* dialog, int templateId) {
  HFONT font = CreateDialogFont();
  char key[32];
  char text[kTextSize] = {0};

  std::snprintf(key, sizeof key, "IDD%d_Title", templateId);
  ReadText(key, text);
  if (text[0] != '\0') dialog->SetWindowText(text);

  for (HWND child = ::GetWindow(dialog->m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    std::memset(text, 0, sizeof text);
    int id = ::GetDlgCtrlID(child);
    std::snprintf(key, sizeof key, "IDD%d_%d", templateId, id);
    if ((::GetSystemDefaultLangID() & 0xFF) == kEnglish && ::IsWindow(child))
      ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(TRUE, 0));
    if (id == kNeverTranslated) continue;
    ReadText(key, text);
    if (text[0] != '\0') ::SetWindowTextA(child, text);
  }
}
