// Window text is UTF-16 inside and crosses every "A" call in the machine's ANSI code page.
#include <gtest/gtest.h>

#include "ui_fixture.h"

namespace k7x::test {
namespace {

const char kGbkWelcome[] = "\xBB\xB6\xD3\xAD";  // 欢迎 in GBK

class TextTest : public UiTest {
 protected:
  std::string Dumped(HWND dlg) { return winemu::ui::DumpWindow(dlg); }
};

TEST_F(TextTest, GbkTextOnAChineseMachineReadsAsChinese) {
  MakeMachineFor(0x0804, 936);
  HWND dlg = Modeless(IDD_CONTROLS);
  SetDlgItemTextA(dlg, IDC_TEXT, kGbkWelcome);
  EXPECT_NE(Dumped(dlg).find("306 Static text \"欢迎\""), std::string::npos);
  EXPECT_EQ(Text(GetDlgItem(dlg, IDC_TEXT)), kGbkWelcome);
  EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(dlg, IDC_TEXT)), 4);
  // A buffer that holds one character and a half gets the whole character only.
  char small[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(GetWindowTextA(GetDlgItem(dlg, IDC_TEXT), small, 4), 2);
  EXPECT_EQ(std::string(small), "\xBB\xB6");
}

TEST_F(TextTest, GbkTextOnAWesternMachineShowsTheMojibakeWindowsShows) {
  HWND dlg = Modeless(IDD_CONTROLS);
  SetDlgItemTextA(dlg, IDC_TEXT, kGbkWelcome);
  EXPECT_NE(Dumped(dlg).find("306 Static text \"»¶Ó­\""), std::string::npos) << Dumped(dlg);
  EXPECT_EQ(Text(GetDlgItem(dlg, IDC_TEXT)), kGbkWelcome);  // code page 1252 gives the bytes back
}

TEST_F(TextTest, TemplateAndStringTableTextsAreConvertedToTheMachinesCodePage) {
  char buffer[32];
  EXPECT_EQ(LoadStringA(nullptr, IDS_HELLO, buffer, sizeof buffer), 5);
  EXPECT_STREQ(buffer, "Hello");
  EXPECT_EQ(LoadStringA(nullptr, IDS_CHINESE, buffer, sizeof buffer), 6);
  EXPECT_STREQ(buffer, "?" "?(&A)");  // not in code page 1252
  EXPECT_EQ(LoadStringA(nullptr, IDS_FAR, buffer, sizeof buffer), 3);
  EXPECT_EQ(LoadStringA(nullptr, 102, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(LoadStringA(nullptr, IDS_HELLO, buffer, 3), 2);
  EXPECT_STREQ(buffer, "He");
  MakeMachineFor(0x0804, 936);
  EXPECT_EQ(LoadStringA(nullptr, IDS_CHINESE, buffer, sizeof buffer), 8);
  EXPECT_STREQ(buffer, "\xB9\xD8\xD3\xDA(&A)");
}

}  // namespace
}  // namespace k7x::test
