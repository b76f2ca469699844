// The three language files: layout, keys, texts and encodings.
#include <gtest/gtest.h>

#include <algorithm>

#include "payload_files.h"

namespace payload_test {
namespace {

struct Text {
    const char* key;
    const char* english;  // nullptr: the license agreement
    const char* simplified;
    const char* traditional;
};

// Every key in file order, with its text in each file (UTF-8 here).
const Text kTexts[] = {
    {"IDD138_Title", "", "", ""},
    {"IDD138_65535", "", "", ""},
    {"IDD138_1042", "Welcome to the Printer Driver Setup Wizard", "欢迎使用打印机驱动安装程序向导", "歡迎使用打印機驅動安裝程序嚮導"},
    {"IDD138_1043", "This will install Printer Driver on your computer.", "这将会在您的计算机上安装打印机驱动程序", "這將會在您的計算機上安裝打印機驅動程序"},
    {"IDD138_1044", "It is recommended that you close all other applications before continuing.", "推荐在继续安装前关闭所有其他应用程序", "推薦在繼續安裝前關閉所有其他應用程序"},
    {"IDD138_1045", "Click Next to continue,or Cancel to exit Setup.", "点击 下一步 继续，或者 取消 退出安装程序", "點擊 下一步 繼續，或者 取消 退出安裝程序"},
    {"IDD102_Title", "", "", ""},
    {"IDD102_1000", "", "", ""},
    {"IDD102_12323", "&Back", "后退", "後退"},
    {"IDD102_12324", "&Next", "下一步", "下一步"},
    {"IDD102_1061", "Cancel", "取消", "取消"},
    {"IDD102_12325", "Finish", "完成", "完成"},
    {"IDD102_-1", "", "", ""},
    {"IDD102_0", "", "", ""},
    {"IDD139_Title", "", "", ""},
    {"IDD139_1040", "", "", ""},
    {"IDD139_1065", "", "", ""},
    {"IDD139_1046", "License Agreement", "授权协议", "授權協議"},
    {"IDD139_1047", "Please read the following important information before continuing.", "在继续安装前，请阅读以下重要信息", "在繼續安裝前，請閱讀以下重要信息"},
    {"IDD139_1048", "Please read the following License Agreement.You must accept the terms of this agreement before continuing with installation.", "请阅读以下协议，并严格遵守", "請閱讀以下協議，並嚴格遵守"},
    {"IDD139_1019", nullptr, nullptr, nullptr},
    {"IDD139_1049", "I accept the agreement", "同意", "同意"},
    {"IDD139_1050", "I do not accept the agreement", "不同意", "不同意"},
    {"IDD137_Title", "", "", ""},
    {"IDD137_1040", "", "", ""},
    {"IDD137_1065", "", "", ""},
    {"IDD137_1051", "Please select the operation system", "请选择安装系统", "請選擇安裝系統"},
    {"IDD137_1052", "Please select the operation system", "请选择您的安装系统", "請選擇您的安裝系統"},
    {"IDD137_1053", "operation system", "可选安装系统", "可選安裝系統"},
    {"IDD137_1054", "language", "可选安装语言", "可選安裝語言"},
    {"IDD137_1037", "Chinese", "中文", "中文"},
    {"IDD137_1038", "English", "英文", "英文"},
    {"IDD137_1032", "Windows 2000", "Windows 2000", "Windows 2000"},
    {"IDD137_1033", "Windows XP", "Windows XP", "Windows XP"},
    {"IDD137_1036", "Windows 2003", "Windows 2003", "Windows 2003"},
    {"IDD143_Title", "", "", ""},
    {"IDD143_1055", "Printer Series", "可安装打印机系列", "可安裝打印機系列"},
    {"IDD143_1056", "Setting", "打印机设置", "打印機設置"},
    {"IDD143_1039", "Default Printer", "设置默认打印机", "設置默認打印機"},
    {"IDD143_1057", "Name:", "名称:", "名稱:"},
    {"IDD143_1019", "", "", ""},
    {"IDD143_1006", "", "", ""},
    {"IDD140_Title", "", "", ""},
    {"IDD140_1040", "", "", ""},
    {"IDD140_1065", "", "", ""},
    {"IDD140_1058", "Please wait while Setup installs Printer Driver on your computer", "正在安装驱动，请稍候 ...", "正在安裝驅動，請稍候 ..."},
    {"IDD140_1059", "Please wait while Setup installs Printer Driver on your computer", "目前正在您的计算机上安装打印机驱动", "目前正在您的計算機上安裝打印機驅動"},
    {"IDD140_1060", "Installing the driver...", "正在安装...", "正在安裝..."},
    {"IDD140_1035", "Progress1", "Progress1", "Progress1"},
};

struct LanguageFile {
    const char* file;
    const char* charset;
    const char* language;
    const char* Text::*column;
};

const LanguageFile kEnglish{"Multi_eng.dll.txt", "ASCII", "English", &Text::english};
const LanguageFile kSimplified{"Multi_ch.dll.txt", "GBK", "Chinese", &Text::simplified};
const LanguageFile kTraditional{"Multi_ch_BIG5.dll.txt", "BIG5", "Chinese", &Text::traditional};

struct Entry {
    std::string key;
    std::string value;
    std::vector<std::string> continuation;  // following lines without "="
};

// The [String] section as a profile reader sees it: a key line is a line
// with "=", its value the rest after the first "="; other lines follow it.
std::vector<Entry> StringEntries(const std::vector<std::string>& lines) {
    std::vector<Entry> entries;
    auto it = std::find(lines.begin(), lines.end(), "[String]");
    if (it == lines.end()) return entries;
    for (++it; it < lines.end(); ++it) {
        std::size_t eq = it->find('=');
        if (eq == std::string::npos) {
            if (!entries.empty()) entries.back().continuation.push_back(*it);
            continue;
        }
        entries.push_back({it->substr(0, eq), it->substr(eq + 1), {}});
    }
    return entries;
}

class LanguageFileTest : public testing::TestWithParam<LanguageFile> {
protected:
    std::string Utf8() const {
        auto text = ToUtf8(Authored(GetParam().file), GetParam().charset);
        if (!text) ADD_FAILURE() << GetParam().file << " is not valid " << GetParam().charset;
        return text.value_or("");
    }
    std::vector<Entry> Entries() const { return StringEntries(SplitCrlf(Utf8())); }
};

TEST_P(LanguageFileTest, IsCrlfTextInItsOwnEncoding) {
    std::string bytes = Authored(GetParam().file);
    EXPECT_EQ(BareLineEnds(bytes), 0u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    EXPECT_TRUE(ToUtf8(bytes, GetParam().charset).has_value());
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
}

TEST_P(LanguageFileTest, StartsWithSettingThenString) {
    auto lines = SplitCrlf(Utf8());
    ASSERT_GT(lines.size(), 8u);
    std::vector<std::string> head(lines.begin(), lines.begin() + 8);
    EXPECT_EQ(head, (std::vector<std::string>{"", "", "[Setting]", std::string("Language=") + GetParam().language, "",
                                              "", "", "[String]"}));
}

TEST_P(LanguageFileTest, HoldsTheKeysInOrderWithTheirTexts) {
    auto entries = Entries();
    ASSERT_EQ(entries.size(), std::size(kTexts));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Text& t = kTexts[i];
        EXPECT_EQ(entries[i].key, t.key) << "entry " << i;
        if (t.english == nullptr) continue;
        EXPECT_EQ(entries[i].value, t.*GetParam().column) << t.key;
        EXPECT_TRUE(entries[i].continuation.empty()) << t.key;
    }
}

TEST_P(LanguageFileTest, LicenseLinesAreInvisibleToProfileReads) {
    // Continuation lines hold no "=" (checked on the raw bytes, where a
    // double-byte character never yields one) and no section header.
    auto raw = SplitCrlf(Authored(GetParam().file));
    auto key = std::find_if(raw.begin(), raw.end(), [](const std::string& l) { return l.rfind("IDD139_1019=", 0) == 0; });
    ASSERT_NE(key, raw.end());
    auto next = std::find_if(key + 1, raw.end(), [](const std::string& l) { return l.find('=') != std::string::npos; });
    ASSERT_NE(next, raw.end());
    EXPECT_EQ(next->rfind("IDD139_1049=", 0), 0u);
    EXPECT_GT(next - key, 40);
    for (auto it = key + 1; it != next; ++it) {
        EXPECT_FALSE(it->empty());
        EXPECT_NE(it->front(), '[') << *it;
    }
}

INSTANTIATE_TEST_SUITE_P(Payload, LanguageFileTest, testing::Values(kEnglish, kSimplified, kTraditional),
                         [](const auto& info) { return std::string(info.param.charset); });

Entry License(const std::vector<Entry>& entries) {
    auto it = std::find_if(entries.begin(), entries.end(), [](const Entry& e) { return e.key == "IDD139_1019"; });
    if (it == entries.end()) {
        ADD_FAILURE() << "no IDD139_1019";
        return {};
    }
    return *it;
}

// The section headings, in order, within the text.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& headings) {
    std::size_t at = 0;
    for (const auto& h : headings) {
        std::size_t found = text.find(h, at);
        EXPECT_NE(found, std::string::npos) << h;
        if (found != std::string::npos) at = found + h.size();
    }
}

std::string Joined(const Entry& e) {
    std::string all = e.value;
    for (const auto& line : e.continuation) all += "\n" + line;
    return all;
}

TEST(LanguageFileLicense, EnglishAgreementRunsOver58LinesInNineSections) {
    Entry license = License(StringEntries(SplitCrlf(Authored(kEnglish.file))));
    EXPECT_EQ(license.value, "SOFTWARE LICENSE AGREEMENT");
    EXPECT_EQ(license.continuation.size() + 1, 58u);
    std::string text = Joined(license);
    ExpectInOrder(text, {"1. OWNERSHIP", "2. LICENSE", "3. RESTRICTION AGAINST COPYING OR MODIFYING",
                         "4. RESTRICTIONS ON TRANSFER", "5. SUPPORT SERVICE", "6. TERM", "7. PROTECTION AND SECURITY",
                         "8. LIMITED WARRANTY", "9. GENERAL"});
    EXPECT_NE(text.find("the printer maker (the \"Licensor\")"), std::string::npos);
}

TEST(LanguageFileLicense, ChineseAgreementsHaveTheSameNineSections) {
    struct Expect {
        const LanguageFile& file;
        const char* title;
        std::vector<std::string> headings;
    };
    const Expect expected[] = {
        {kSimplified, "软件许可协议",
         {"一、所有权", "二、许可", "三、禁止复制或修改", "四、转让限制", "五、支持服务", "六、期限", "七、保护与安全",
          "八、有限担保", "九、一般条款"}},
        {kTraditional, "軟件許可協議",
         {"一、所有權", "二、許可", "三、禁止複製或修改", "四、轉讓限制", "五、支持服務", "六、期限", "七、保護與安全",
          "八、有限擔保", "九、一般條款"}},
    };
    for (const auto& e : expected) {
        auto text = ToUtf8(Authored(e.file.file), e.file.charset);
        ASSERT_TRUE(text.has_value()) << e.file.file;
        Entry license = License(StringEntries(SplitCrlf(*text)));
        EXPECT_EQ(license.value, e.title) << e.file.file;
        ExpectInOrder(Joined(license), e.headings);
    }
}

}  // namespace
}  // namespace payload_test
