// The printer name the uninstaller takes from its own file name, and the texts it shows.
#include <gtest/gtest.h>

#include <string>

#include "uninstall/UninstallTexts.h"
#include "uninstall/UninstallerName.h"
#include "winemu/machine/codepage.h"

namespace {

std::string NameOf(const std::string& path) {
  char name[MAX_PATH];
  return PrinterNameFromProgramPath(path.c_str(), name) ? name : "(refused)";
}

TEST(UninstallerName, IsTheFileNameBetweenUninstallAndExe) {
  EXPECT_EQ(NameOf("C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallK7X.exe"), "K7X");
  EXPECT_EQ(NameOf("C:\\x\\UNINSTALLReceipt K7X (2).EXE"), "Receipt K7X (2)");
  EXPECT_EQ(NameOf("uninstallk7x.exe"), "k7x");
  EXPECT_EQ(NameOf("C:\\uninstall.x\\uninstallK7X.exe"), "K7X");  // the directory does not count
  for (const char* refused : {"C:\\Setup\\setup.exe", "C:\\x\\uninstall.exe", "C:\\x\\uninstallK7X.exe.bak",
                              "C:\\x\\uninstalK7X.exe", "C:\\x\\uninstallK..7X.exe", "C:\\x\\uninstallK,7X.exe"})
    EXPECT_EQ(NameOf(refused), "(refused)") << refused;
  // Any length its own file name can have; texts composed from a long name are refused where they are made.
  EXPECT_EQ(NameOf("C:\\x\\uninstall" + std::string(200, 'n') + ".exe"), std::string(200, 'n'));
}

TEST(UninstallTexts, FollowTheSystemLanguageInItsCodePage) {
  EXPECT_EQ(SystemTextLanguage(0x0804), TextLanguage::SimplifiedChinese);
  EXPECT_EQ(SystemTextLanguage(0x0404), TextLanguage::TraditionalChinese);
  EXPECT_EQ(SystemTextLanguage(0x0C04), TextLanguage::TraditionalChinese);
  EXPECT_EQ(SystemTextLanguage(0x0409), TextLanguage::English);
  EXPECT_EQ(SystemTextLanguage(0x0407), TextLanguage::English);

  struct Expected {
    TextLanguage language;
    unsigned codePage;
    const char* texts[5];  // UTF-8: caption, confirm, removed, incomplete, badName
  };
  const Expected chinese[] = {
      {TextLanguage::SimplifiedChinese, 936,
       {"%s 打印机驱动程序卸载", "是否从本机删除 %s 打印机驱动程序，以及使用它的打印机和它的文件？",
        "%s 打印机驱动程序已删除。", "%s 打印机驱动程序未能完全删除。请重新启动 Windows 后再次运行卸载程序。",
        "此卸载程序的文件名必须是 uninstall<打印机名称>.exe。"}},
      {TextLanguage::TraditionalChinese, 950,
       {"%s 打印機驅動程序卸載", "是否從本機刪除 %s 打印機驅動程序，以及使用它的打印機和它的文件？",
        "%s 打印機驅動程序已刪除。", "%s 打印機驅動程序未能完全刪除。請重新啟動 Windows 後再次運行卸載程序。",
        "此卸載程序的文件名必須是 uninstall<打印機名稱>.exe。"}},
  };
  for (const Expected& e : chinese) {
    const UninstallTexts& t = TextsFor(e.language);
    const char* actual[5] = {t.caption, t.confirm, t.removed, t.incomplete, t.badName};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(actual[i], winemu::Utf8ToAnsi(e.texts[i], e.codePage)) << e.texts[i];
  }
  EXPECT_STREQ(TextsFor(TextLanguage::English).caption, "%s printer driver uninstall");
}

}  // namespace
