// The program's own resources, as the build embeds them: every dialog template with its
// controls in tab order, the About string, the bitmaps and the icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "shared/resource.h"
#include "winemu/kernel32/resources.h"
#include "winemu/user32/dlgtemplate.h"

namespace {

using winemu::user32::DialogItem;
using winemu::user32::DialogTemplate;

constexpr std::uint16_t kChinesePrc = 0x0804;
constexpr std::uint32_t kPageStyle = 0x48000040;  // WS_CHILD | WS_DISABLED | DS_SETFONT
constexpr std::uint32_t kShown = WS_CHILD | WS_VISIBLE;

const winemu::ResEntry* Resource(LPCSTR type, int id) {
  return winemu::FindResourceEntry(winemu::ResIdFromA(type), winemu::ResIdFromA(MAKEINTRESOURCEA(id)));
}

DialogTemplate Dialog(int id) {
  const winemu::ResEntry* e = Resource(RT_DIALOG, id);
  if (!e) {
    ADD_FAILURE() << "no dialog template " << id;
    return {};
  }
  EXPECT_EQ(e->language, kChinesePrc) << id;
  winemu::user32::DialogTemplateResult r = winemu::user32::ParseDialogTemplate(e->data);
  EXPECT_EQ(r.error, "") << id;
  // The welcome page is a plain template (its -1 picture reads as 65535); the others are extended.
  EXPECT_EQ(r.dialog.extended, id != IDD_WELCOME) << id;
  return r.dialog;
}

// Predefined classes by ordinal; any other by name, matched without case as Windows does.
struct Class {
  std::uint16_t ordinal = 0;
  std::u16string name;
};
const Class kButton{0x80, {}}, kEdit{0x81, {}}, kStatic{0x82, {}}, kListBox{0x83, {}};
const Class kProgress{0, u"msctls_progress32"};

// A text or, for pictures, the ordinal of the image resource.
struct Text {
  Text(const char16_t* s) : text(s) {}  // NOLINT: tables read as text
  explicit Text(std::uint16_t resource) : ordinal(resource) {}
  std::u16string text;
  std::uint16_t ordinal = 0;
};

struct Control {
  int id;
  Class cls;
  std::uint32_t style;
  std::uint32_t exStyle;
  int x, y, cx, cy;
  Text text;
};

std::u16string Folded(std::u16string s) {
  for (char16_t& c : s)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return s;
}

void ExpectControls(int dialogId, const std::vector<Control>& expected) {
  const DialogTemplate d = Dialog(dialogId);
  ASSERT_EQ(d.items.size(), expected.size()) << "controls of " << dialogId;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const DialogItem& got = d.items[i];
    const Control& want = expected[i];
    SCOPED_TRACE("template " + std::to_string(dialogId) + ", control " + std::to_string(want.id));
    EXPECT_EQ(static_cast<int>(got.id), want.id) << "tab position " << i;
    if (want.cls.ordinal) {
      EXPECT_TRUE(got.windowClass.isOrdinal);
      EXPECT_EQ(got.windowClass.ordinal, want.cls.ordinal);
    } else {
      EXPECT_FALSE(got.windowClass.isOrdinal);
      EXPECT_EQ(Folded(got.windowClass.name), Folded(want.cls.name));
    }
    EXPECT_EQ(got.style, want.style) << std::hex << got.style << " != " << want.style;
    EXPECT_EQ(got.exStyle, want.exStyle);
    EXPECT_EQ((std::vector<int>{got.x, got.y, got.cx, got.cy}), (std::vector<int>{want.x, want.y, want.cx, want.cy}));
    if (want.text.ordinal) {
      EXPECT_TRUE(got.title.isOrdinal);
      EXPECT_EQ(got.title.ordinal, want.text.ordinal);
    } else {
      EXPECT_FALSE(got.title.isOrdinal);
      EXPECT_EQ(got.title.name, want.text.text);
    }
  }
}

void ExpectFont(const DialogTemplate& d) {
  EXPECT_EQ(d.typeface, u"MS Sans Serif");
  EXPECT_EQ(d.pointSize, 8);
  EXPECT_TRUE(d.hasFont);
  EXPECT_FALSE(d.menu.present);
  EXPECT_FALSE(d.windowClass.present);
}

// Consecutive runs of controls, each starting at a WS_GROUP control, as the dialog manager
// walks radio groups.
std::vector<std::vector<int>> Groups(const DialogTemplate& d) {
  std::vector<std::vector<int>> groups;
  for (const DialogItem& item : d.items) {
    if (groups.empty() || (item.style & WS_GROUP)) groups.emplace_back();
    groups.back().push_back(static_cast<int>(item.id));
  }
  return groups;
}

std::vector<int> TabStops(const DialogTemplate& d) {
  std::vector<int> ids;
  for (const DialogItem& item : d.items)
    if (item.style & WS_TABSTOP) ids.push_back(static_cast<int>(item.id));
  return ids;
}

TEST(DialogTemplates, PagesAreDisabledChildDialogsWithoutCaptionInMsSansSerif8) {
  struct Page {
    int id, cx, cy;
  };
  for (const Page& page : {Page{IDD_WELCOME, 353, 224}, Page{IDD_LANGUAGE, 633, 203}, Page{IDD_SETTING, 340, 199},
                           Page{IDD_COPY, 618, 195}}) {
    SCOPED_TRACE(page.id);
    const DialogTemplate d = Dialog(page.id);
    EXPECT_EQ(d.style, kPageStyle) << std::hex << d.style;
    EXPECT_EQ(d.exStyle, 0u);
    EXPECT_EQ((std::vector<int>{d.x, d.y, d.cx, d.cy}), (std::vector<int>{0, 0, page.cx, page.cy}));
    EXPECT_EQ(d.title, u"");
    ExpectFont(d);
  }
}

TEST(DialogTemplates, FrameIsAVisibleAppWindowWithFourButtonsAndNoDefault) {
  const DialogTemplate d = Dialog(IDD_SETUP_DIALOG);
  EXPECT_EQ(d.style, static_cast<std::uint32_t>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(d.exStyle, static_cast<std::uint32_t>(WS_EX_APPWINDOW));
  EXPECT_EQ((std::vector<int>{d.cx, d.cy}), (std::vector<int>{266, 257}));
  EXPECT_EQ(d.title, u"");
  ExpectFont(d);
  ExpectControls(IDD_SETUP_DIALOG, {
      {1000, kStatic, kShown | SS_GRAYFRAME, 0, 0, 0, 265, 257, u""},
      {12323, kButton, kShown | BS_PUSHBUTTON | WS_TABSTOP, 0, 54, 234, 36, 17, u"后退"},
      {12324, kButton, kShown | BS_PUSHBUTTON | WS_TABSTOP, 0, 95, 234, 36, 17, u"下一步"},
      {1061, kButton, kShown | BS_PUSHBUTTON | WS_TABSTOP, 0, 195, 234, 36, 17, u"取消"},
      {12325, kButton, kShown | BS_PUSHBUTTON | WS_TABSTOP, 0, 154, 234, 36, 17, u"完成"},
      {-1, kStatic, kShown | SS_ETCHEDHORZ, 0, 2, 228, 264, 1, u""},
  });
}

TEST(DialogTemplates, AboutBoxShowsTheIconVersionAndADefaultOk) {
  const DialogTemplate d = Dialog(IDD_ABOUTBOX);
  EXPECT_EQ(d.style, static_cast<std::uint32_t>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
  EXPECT_EQ(d.exStyle, 0u);
  EXPECT_EQ((std::vector<int>{d.cx, d.cy}), (std::vector<int>{235, 55}));
  EXPECT_EQ(d.title, u"关于 驱动安装向导");
  ExpectFont(d);
  ASSERT_EQ(d.items.size(), 4u);
  EXPECT_FALSE(d.items[2].title.isOrdinal || d.items[2].title.name.empty()) << "line 1063 has a text";
  ExpectControls(IDD_ABOUTBOX, {
      {-1, kStatic, kShown | SS_ICON, 0, 7, 8, 20, 20, Text(IDR_MAINFRAME)},
      {1062, kStatic, kShown | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, 40, 10, 131, 8, u"驱动安装向导 1.0 版"},
      {1063, kStatic, kShown | SS_LEFT | WS_GROUP, 0, 40, 25, 119, 8, d.items[2].title.name.c_str()},
      {IDOK, kButton, kShown | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, 178, 7, 50, 14, u"确定"},
  });
}

TEST(DialogTemplates, WelcomePageHasTheSidePictureAndFourTexts) {
  ExpectControls(IDD_WELCOME, {
      {0xFFFF, kStatic, kShown | SS_BITMAP | SS_SUNKEN | WS_BORDER, 0, 1, 4, 112, 231, Text(IDB_SIDE)},
      {1042, kStatic, kShown | WS_GROUP, 0, 117, 20, 130, 34, u"欢迎使用QLM20系列打印机驱动安装程序向导"},
      {1043, kStatic, kShown | WS_GROUP, 0, 117, 64, 130, 41, u"这将会在您的计算机上安装QLM20系列打印机驱动程序"},
      {1044, kStatic, kShown | WS_GROUP, 0, 117, 112, 130, 39, u"推荐在继续安装前关闭所有其他应用程序"},
      {1045, kStatic, kShown | WS_GROUP, 0, 117, 155, 130, 44, u"点击 下一步 继续，或者 取消 退出安装程序"},
  });
}

TEST(DialogTemplates, LanguagePageHasTheLanguageAndSystemRadioGroups) {
  const std::uint32_t radio = kShown | BS_AUTORADIOBUTTON;
  ExpectControls(IDD_LANGUAGE, {
      {1040, kButton, kShown | BS_GROUPBOX, 0, 0, 0, 240, 53, u""},
      {1065, kStatic, kShown | SS_BITMAP, 0, 202, 8, 35, 39, Text(IDB_LOGO)},
      {1051, kStatic, kShown | WS_GROUP, 0, 17, 9, 120, 10, u"请选择安装系统"},
      {1052, kStatic, WS_CHILD | WS_GROUP, 0, 24, 25, 168, 20, u"请选择您的安装系统"},
      {1053, kButton, kShown | BS_GROUPBOX, 0, 13, 59, 211, 86, u"可选安装系统"},
      {1054, kButton, kShown | BS_GROUPBOX, 0, 13, 150, 211, 46, u"可选安装语言"},
      {1037, kButton, radio | WS_GROUP | WS_TABSTOP, 0, 25, 169, 97, 17, u"中文"},
      {1038, kButton, radio, 0, 127, 169, 65, 17, u"英文"},
      {1070, kButton, radio | WS_GROUP | WS_TABSTOP, 0, 33, 68, 139, 10, u"Windows 2000"},
      {1071, kButton, radio, 0, 33, 83, 139, 10, u"Windows XP"},
      {1072, kButton, radio, 0, 33, 98, 139, 10, u"Windows 2003"},
      {1073, kButton, radio, 0, 33, 113, 139, 10, u"Vista"},
      {1074, kButton, radio, 0, 33, 128, 139, 10, u"Windows 7"},
  });
  const std::vector<std::vector<int>> groups = Groups(Dialog(IDD_LANGUAGE));
  ASSERT_GE(groups.size(), 2u);
  EXPECT_EQ(groups[groups.size() - 2], (std::vector<int>{1037, 1038}));
  EXPECT_EQ(groups.back(), (std::vector<int>{1070, 1071, 1072, 1073, 1074}));
}

TEST(DialogTemplates, SettingPageHasTheSeriesListAndTheReadOnlyNameBox) {
  ExpectControls(IDD_SETTING, {
      {1055, kStatic, kShown | WS_GROUP, 0, 7, 9, 97, 13, u"可安装打印机系列"},
      {1056, kButton, kShown | BS_GROUPBOX, 0, 7, 126, 215, 65, u"打印机设置"},
      {1039, kButton, kShown | BS_AUTOCHECKBOX | WS_TABSTOP, 0, 24, 141, 180, 15, u"设置默认打印机"},
      {1057, kStatic, kShown | WS_GROUP, 0, 19, 166, 45, 11, u"名称:"},
      {1019, kEdit, kShown | ES_LEFT | ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, 69, 164, 143, 14, u""},
      {1006, kListBox,
       kShown | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 0, 10, 23, 212, 97,
       u""},
  });
  EXPECT_EQ(TabStops(Dialog(IDD_SETTING)), (std::vector<int>{1039, 1019, 1006}));
}

TEST(DialogTemplates, ProgressPageHasABorderedProgressBar) {
  ExpectControls(IDD_COPY, {
      {1040, kButton, kShown | BS_GROUPBOX, 0, 0, 0, 332, 65, u""},
      {1065, kStatic, kShown | SS_BITMAP, 0, 292, 15, 35, 39, Text(IDB_LOGO)},
      {1058, kStatic, kShown | WS_GROUP, 0, 17, 9, 148, 19, u"正在安装驱动，请稍候 ..."},
      {1059, kStatic, WS_CHILD, 0, 21, 34, 191, 26, u"目前正在您的计算机上安装打印机驱动"},
      {1060, kStatic, kShown | WS_GROUP, 0, 16, 79, 136, 13, u"正在安装..."},
      {1035, kProgress, kShown | WS_BORDER, 0, 19, 100, 183, 9, u"Progress1"},
  });
}

// The string table block (id / 16 + 1) holds 16 counted UTF-16 strings.
std::u16string TableString(int id) {
  const winemu::ResEntry* e = Resource(RT_STRING, id / 16 + 1);
  if (!e) return u"<no block>";
  EXPECT_EQ(e->language, kChinesePrc);
  std::size_t at = 0;
  for (int i = 0; i < 16 && at + 2 <= e->data.size(); ++i) {
    const std::size_t length = e->data[at] | e->data[at + 1] << 8;
    at += 2;
    if (at + 2 * length > e->data.size()) return u"<cut short>";
    if (i == id % 16) {
      std::u16string s;
      for (std::size_t k = 0; k < length; ++k)
        s.push_back(static_cast<char16_t>(e->data[at + 2 * k] | e->data[at + 2 * k + 1] << 8));
      return s;
    }
    at += 2 * length;
  }
  return u"<missing>";
}

TEST(ResourceScript, CarriesTheAboutItemText) { EXPECT_EQ(TableString(IDS_ABOUTBOX), u"关于 安装向导(&A)..."); }

std::vector<std::uint8_t> ArtFile(const char* name) {
  std::ifstream in(std::string(K7X_SOURCE_DIR) + "/src/pages/res/" + name, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
}

TEST(ResourceScript, BitmapsAreTheArtworkFilesWithoutTheirFileHeaders) {
  struct Bitmap {
    int id;
    const char* file;
    std::uint32_t width, height;
  };
  for (const Bitmap& b : {Bitmap{IDB_SIDE, "side.bmp", 164, 314}, Bitmap{IDB_LOGO, "logo.bmp", 53, 53}}) {
    SCOPED_TRACE(b.file);
    const winemu::ResEntry* e = Resource(RT_BITMAP, b.id);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->language, kChinesePrc);
    const std::vector<std::uint8_t> file = ArtFile(b.file);
    ASSERT_GT(file.size(), 14u);
    EXPECT_TRUE(std::equal(e->data.begin(), e->data.end(), file.begin() + 14, file.end()));
    ASSERT_GE(e->data.size(), 40u);
    EXPECT_EQ(U32(e->data, 4), b.width);
    EXPECT_EQ(U32(e->data, 8), b.height);
    EXPECT_EQ(e->data[14], 8) << "bits per pixel";
    EXPECT_EQ(U32(e->data, 32), 256u) << "palette entries";
  }
}

TEST(ResourceScript, IconGroupHoldsTheFourImagesOfTheIconFile) {
  const winemu::ResEntry* group = Resource(RT_GROUP_ICON, IDR_MAINFRAME);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->language, kChinesePrc);
  const std::vector<std::uint8_t> ico = ArtFile("setup.ico");
  ASSERT_GE(ico.size(), 6u + 4 * 16);
  std::span<const std::uint8_t> g = group->data;
  ASSERT_EQ(g.size(), 6u + 4 * 14);
  EXPECT_EQ(g[2] | g[3] << 8, 1) << "icons";
  ASSERT_EQ(g[4] | g[5] << 8, 4) << "images";
  const int sizes[] = {32, 16, 32, 16}, bits[] = {4, 4, 8, 8};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const std::size_t at = 6 + 14 * i;  // GRPICONDIRENTRY
    EXPECT_EQ(g[at], sizes[i]);
    EXPECT_EQ(g[at + 1], sizes[i]);
    EXPECT_EQ(g[at + 6] | g[at + 7] << 8, bits[i]);
    const std::uint32_t bytes = U32(g, at + 8);
    const winemu::ResEntry* image = Resource(RT_ICON, g[at + 12] | g[at + 13] << 8);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->data.size(), bytes);
    const std::uint32_t offset = U32(ico, 6 + 16 * i + 12);  // the file's ICONDIRENTRY
    ASSERT_LE(offset + bytes, ico.size());
    EXPECT_TRUE(std::equal(image->data.begin(), image->data.end(), ico.begin() + offset));
  }
}

}  // namespace
