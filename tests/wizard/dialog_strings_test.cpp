// Dialog texts from the language file: the title, every direct child by its id (65535 for a
// static made with id 0xFFFF), never control 1019, and Arial 13 on an English system only.
#include <gtest/gtest.h>

#include <cstring>

#include "i18n/DialogStrings.h"
#include "shared/globals.h"
#include "wizard_fixture.h"

namespace k7x::test {
namespace {

constexpr const char* kLanguageFile = "C:\\Setup\\Language\\Multi_eng.dll";

class DialogStrings : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    savedLanguageFile_ = g_LanguageFile;
    g_LanguageFile = kLanguageFile;
  }
  void TearDown() override {
    g_LanguageFile = savedLanguageFile_;
    FrameTest::TearDown();
  }

  // A wizard of the text page on the current machine; its window before any text is applied.
  HWND OpenTextPage() {
    AddPage(IDD_TEXT_PAGE, "texts");
    Open();
    return pages[0]->m_hWnd;
  }
  void Apply() { g_SetDialogStrings(pages[0].get(), IDD_TEXT_PAGE); }

  static std::string Text(HWND hWnd) {
    char text[2048] = {0};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
  }
  std::string ItemText(int id) const { return Text(::GetDlgItem(pages[0]->m_hWnd, id)); }

 private:
  std::string savedLanguageFile_;
};

TEST_F(DialogStrings, TitleAndEveryChildTakeTheirKeysFromSectionString) {
  WriteFile(kLanguageFile,
            "[Setting]\r\nLanguage=English\r\nIDD620_1043=from the wrong section\r\n"
            "[String]\r\n"
            "IDD620_Title=Page title\r\n"
            "IDD620_65535=Static from the file\r\n"
            "IDD620_1042=Text A from the file\r\n"
            "IDD620_1019=never applied\r\n"
            "IDD620_1043=Text B from the file\r\n"
            "IDD620_1050=Button from the file\r\n"
            "IDD621_1042=another template's text\r\n");
  HWND page = OpenTextPage();
  ::SetDlgItemTextA(page, IDC_NAME_BOX, "the page's own name");
  Apply();

  EXPECT_EQ(Text(page), "Page title");
  // The children in their order, the first (id 0xFFFF) and the last included.
  std::vector<std::string> texts;
  for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    texts.push_back(std::to_string(::GetDlgCtrlID(child)) + "=" + Text(child));
  EXPECT_EQ(texts, (std::vector<std::string>{"65535=Static from the file", "1042=Text A from the file",
                                             "1019=the page's own name", "1043=Text B from the file",
                                             "1050=Button from the file"}));
}

TEST_F(DialogStrings, EmptyAndMissingKeysKeepWhatTheWindowsShow) {
  WriteFile(kLanguageFile, "[String]\r\nIDD620_Title=\r\nIDD620_1042=\r\nIDD620_1050=Button from the file\r\n");
  HWND page = OpenTextPage();
  ::SetWindowTextA(page, "title before");
  Apply();
  EXPECT_EQ(Text(page), "title before");
  EXPECT_EQ(ItemText(IDC_TEXT_A), "Template A");
  EXPECT_EQ(ItemText(IDC_TEXT_B), "Template B");
  EXPECT_EQ(ItemText(IDC_TEXT_BUTTON), "Button from the file");
}

TEST_F(DialogStrings, AMissingLanguageFileLeavesTheTemplateTextsWithoutAMessage) {
  HWND page = OpenTextPage();
  Apply();
  EXPECT_EQ(Text(page), "");
  EXPECT_EQ(ItemText(IDC_TEXT_A), "Template A");
  EXPECT_EQ(ItemText(IDC_TEXT_BUTTON), "Template button");
  EXPECT_TRUE(TraceLines("msgbox").empty());
}

TEST_F(DialogStrings, ALongTextIsCutTo999Characters) {
  WriteFile(kLanguageFile, "[String]\r\nIDD620_1042=" + std::string(1500, 'x') + "\r\n");
  OpenTextPage();
  Apply();
  EXPECT_EQ(ItemText(IDC_TEXT_A), std::string(999, 'x'));
}

LOGFONTA FontOf(HWND hWnd) {
  LOGFONTA lf = {};
  HFONT font = reinterpret_cast<HFONT>(::SendMessageA(hWnd, WM_GETFONT, 0, 0));
  if (font) ::GetObjectA(font, sizeof lf, &lf);
  return lf;
}

class DialogFont : public DialogStrings, public ::testing::WithParamInterface<LANGID> {
 protected:
  winemu::CreateOptions MachineOptions() const override {
    winemu::CreateOptions options;
    options.langId = GetParam();
    return options;
  }
};

TEST_P(DialogFont, EveryChildGetsArial13OnAnEnglishSystemOnly) {
  WriteFile(kLanguageFile, "[String]\r\nIDD620_1042=Text A from the file\r\n");
  HWND page = OpenTextPage();
  LOGFONTA templateFont = FontOf(page);
  Apply();
  bool english = (GetParam() & 0xFF) == 0x09;

  int children = 0;
  for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT), ++children) {
    SCOPED_TRACE(::GetDlgCtrlID(child));
    LOGFONTA lf = FontOf(child);
    if (english) {
      EXPECT_STREQ(lf.lfFaceName, "Arial");
      EXPECT_EQ(lf.lfHeight, 13);
      EXPECT_EQ(lf.lfWidth, 0);
      EXPECT_EQ(lf.lfWeight, FW_NORMAL);
      EXPECT_EQ(lf.lfItalic, 0);
      EXPECT_EQ(lf.lfUnderline, 0);
      EXPECT_EQ(lf.lfStrikeOut, 0);
      EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
      EXPECT_EQ(lf.lfPitchAndFamily, FF_SWISS | DEFAULT_PITCH);
    } else {
      EXPECT_STREQ(lf.lfFaceName, templateFont.lfFaceName);
      EXPECT_EQ(lf.lfHeight, templateFont.lfHeight);
    }
  }
  EXPECT_EQ(children, 5);
  // Never the dialog's own font; the texts come whatever the language.
  EXPECT_STREQ(FontOf(page).lfFaceName, templateFont.lfFaceName);
  EXPECT_STRNE(templateFont.lfFaceName, "Arial");
  EXPECT_EQ(ItemText(IDC_TEXT_A), "Text A from the file");
}

INSTANTIATE_TEST_SUITE_P(SystemLanguages, DialogFont, ::testing::Values(0x0409, 0x0809, 0x0804, 0x0404, 0x0407),
                         [](const ::testing::TestParamInfo<LANGID>& info) {
                           char name[16];
                           std::snprintf(name, sizeof name, "Lang%04X", info.param);
                           return std::string(name);
                         });

}  // namespace
}  // namespace k7x::test
