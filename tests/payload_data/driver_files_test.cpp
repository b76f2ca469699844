// The model GPD, the model INI, the default settings file and the INF.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "payload_files.h"

namespace payload_test {
namespace {

std::size_t LinesContaining(const std::vector<std::string>& lines, const std::string& text) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.find(text) != std::string::npos; });
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The model-name lines and the lines the rewriting puts in their place
// for the printer name K7X, in the rewriting's table order.
const std::pair<const char*, const char*> kModelLines[] = {
    {"OEMDriverFile1=", "OEMDriverFile1=K7XD.DLL"},
    {"OEMConfigFile1=", "OEMConfigFile1=K7XF.DLL"},
    {"*GPDFileName:", "*GPDFileName: \"K7X.GPD\""},
    {"*ModelName:", "*ModelName: \"K7X\""},
    {"*ResourceDLL:", "*ResourceDLL: \"K7XRES.DLL\""},
};

// The text after rewriting for K7X: matching lines replaced, LF line ends.
std::string RewrittenForK7X(const std::string& bytes) {
    std::string out;
    for (const auto& line : SplitCrlf(bytes)) {
        auto hit = std::find_if(std::begin(kModelLines), std::end(kModelLines),
                                [&](const auto& m) { return line.find(m.first) != std::string::npos; });
        out += (hit == std::end(kModelLines) ? line : std::string(hit->second)) + "\n";
    }
    return out;
}

TEST(ModelGpd, IsCrlfTextOf962ShortLines) {
    std::string gpd = Authored("K7X.GPD");
    EXPECT_EQ(gpd.size(), 16605u);
    EXPECT_EQ(BareLineEnds(gpd), 0u);
    EXPECT_EQ(gpd.substr(gpd.size() - 2), "\r\n");
    auto lines = SplitCrlf(gpd);
    EXPECT_EQ(lines.size(), 962u);
    for (const auto& l : lines) EXPECT_LE(l.size(), 62u) << l;
    for (unsigned char c : gpd) {
        EXPECT_LT(c, 0x80);
        EXPECT_NE(c, 0x00);
        EXPECT_NE(c, 0x1A);
    }
}

TEST(ModelGpd, NamesTheModelOnceEachAndRewritesToItself) {
    std::string gpd = Authored("K7X.GPD");
    auto lines = SplitCrlf(gpd);
    EXPECT_TRUE(Contains(lines, "*GPDFileName: \"K7X.GPD\""));
    EXPECT_TRUE(Contains(lines, "*ModelName: \"K7X\""));
    EXPECT_TRUE(Contains(lines, "*ResourceDLL: \"K7XRES.DLL\""));
    EXPECT_EQ(LinesContaining(lines, "*GPDFileName:"), 1u);
    EXPECT_EQ(LinesContaining(lines, "*ModelName:"), 1u);
    EXPECT_EQ(LinesContaining(lines, "*ResourceDLL:"), 1u);
    EXPECT_EQ(LinesContaining(lines, "OEMDriverFile1="), 0u);
    EXPECT_EQ(LinesContaining(lines, "OEMConfigFile1="), 0u);
    std::string rewritten = RewrittenForK7X(gpd);
    EXPECT_EQ(rewritten.size(), 15643u);
    std::string withoutCr = gpd;
    std::erase(withoutCr, '\r');
    EXPECT_EQ(rewritten, withoutCr);
}

// The GPD's block structure: braces nest, and each feature's default
// option is one of its options.
TEST(ModelGpd, FeaturesAreWellFormed) {
    auto lines = SplitCrlf(Authored("K7X.GPD"));
    auto value = [](const std::string& l, const std::string& attr) {
        std::size_t at = l.find(attr);
        return at == std::string::npos ? std::string() : l.substr(at + attr.size());
    };
    int depth = 0;
    std::string feature;
    std::string defaultOption;
    std::set<std::string> options;
    std::map<std::string, std::set<std::string>> features;
    for (const auto& raw : lines) {
        std::size_t start = raw.find_first_not_of(" \t");
        std::string l = start == std::string::npos ? std::string() : raw.substr(start);
        if (l == "{") ++depth;
        if (l == "}") {
            --depth;
            ASSERT_GE(depth, 0);
            if (depth == 0 && !feature.empty()) {
                EXPECT_TRUE(options.count(defaultOption)) << feature << " default " << defaultOption;
                features[feature] = options;
                feature.clear();
                options.clear();
            }
        }
        if (depth == 0 && l.rfind("*Feature: ", 0) == 0) feature = value(l, "*Feature: ");
        if (depth == 1 && !feature.empty() && l.rfind("*DefaultOption: ", 0) == 0) defaultOption = value(l, "*DefaultOption: ");
        if (depth == 1 && !feature.empty() && l.rfind("*Option: ", 0) == 0) options.insert(value(l, "*Option: "));
    }
    EXPECT_EQ(depth, 0);
    for (const char* f : {"Orientation", "InputBin", "Resolution", "Halftone", "PaperSize", "PaperCut", "CashDrawer"})
        EXPECT_TRUE(features.count(f)) << f;
    EXPECT_TRUE(features["PaperSize"].count("ROLL_80X297"));
    EXPECT_TRUE(features["PaperSize"].count("CUSTOMSIZE"));
}

TEST(ModelGpd, DescribesASerialReceiptPrinterWithItsDeviceFont) {
    auto lines = SplitCrlf(Authored("K7X.GPD"));
    for (const char* line : {"*GPDSpecVersion: \"1.0\"", "*Include: \"stdnames.gpd\"", "*PrinterType: SERIAL",
                             "*MasterUnits: PAIR(203, 203)", "*DeviceFonts: LIST(=RC_UFM_ZIKU24)",
                             "*DefaultFont: =RC_UFM_ZIKU24", "*CursorXAfterCR: AT_CURSOR_X_ORIGIN"})
        EXPECT_TRUE(Contains(lines, line)) << line;
    for (const char* cmd : {"CmdStartDoc", "CmdEndJob", "CmdCR", "CmdLF", "CmdXMoveAbsolute", "CmdYMoveRelDown",
                            "CmdSendBlockData", "CmdSelect"})
        EXPECT_GE(LinesContaining(lines, std::string("*Command: ") + cmd), 1u) << cmd;
    // 80 mm roll, 72 mm printed, at 203 dpi.
    EXPECT_TRUE(Contains(lines, "\t\t*PageDimensions: PAIR(639, 2374)"));
    EXPECT_GE(LinesContaining(lines, "*PrintableArea: PAIR(575, "), 1u);
}

TEST(ModelIni, NamesThePlugInsForK7X) {
    std::string ini = Authored("K7X.INI");
    EXPECT_EQ(ini, "[OEMFiles]\r\nOEMDriverFile1=K7XD.DLL\r\nOEMConfigFile1=K7XF.DLL\r\n\r\n");
    EXPECT_EQ(ini.size(), 64u);
    EXPECT_EQ(RewrittenForK7X(ini).size(), 60u);
}

TEST(DefaultSettings, AreTheThreeLinesWithoutFinalLineEnd) {
    std::string settings = Authored("setting.dll.txt");
    EXPECT_EQ(settings, "[Setting]\r\nLanguage=English\r\nPrinterName=K7X");
    EXPECT_EQ(settings.size(), 44u);
}

// The INF as sections of non-comment lines.
std::map<std::string, std::vector<std::string>> InfSections(const std::string& bytes) {
    std::map<std::string, std::vector<std::string>> sections;
    std::string current;
    for (const auto& line : SplitCrlf(bytes)) {
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            current = line.substr(1, line.find(']') - 1);
            EXPECT_FALSE(sections.count(current)) << "section " << current << " twice";
            sections[current];
            continue;
        }
        EXPECT_FALSE(current.empty()) << line;
        sections[current].push_back(line);
    }
    return sections;
}

using Lines = std::vector<std::string>;

TEST(DriverInf, IsCrlfTextWithTheDriverSections) {
    std::string inf = Authored("K7X.INF");
    EXPECT_EQ(inf.size(), 1568u);
    EXPECT_EQ(BareLineEnds(inf), 0u);
    EXPECT_EQ(inf.substr(inf.size() - 2), "\r\n");
    auto s = InfSections(inf);
    EXPECT_EQ(s["Version"], (Lines{"Signature=\"$Windows NT$\"", "Class=Printer",
                                   "ClassGUID={4D36E979-E325-11CE-BFC1-08002BE10318}", "Provider=%Maker%",
                                   "DriverVer=06/01/2010,1.0.0.1"}));
    EXPECT_EQ(s["Manufacturer"], (Lines{"\"K7X\"=Driver_K7X,NTx86"}));
    EXPECT_EQ(s["Driver_K7X"], (Lines{"\"K7X\" = Driver_Files,K7X_RECEIPT_80MM"}));
    EXPECT_EQ(s["Driver_K7X.NTx86"], s["Driver_K7X"]);
    EXPECT_EQ(s["Driver_Files"], (Lines{"CopyFiles=@K7X.GPD,@ZIKU.UFM,@K7X.INI,@K7XRES.DLL,DriverFiles",
                                        "DataFile=K7X.GPD", "Include=NTPRINT.INF", "Needs=UNIDRV.OEM,UNIDRV_DATA",
                                        "AddReg=Driver_Ports"}));
    EXPECT_EQ(s["DriverFiles"], (Lines{"K7XD.DLL", "K7XF.DLL"}));
    Lines ports;
    for (int n = 1; n <= 4; ++n)
        ports.push_back("HKLM,\"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports\",\"COM" + std::to_string(n) +
                        ":\",,\"38400,n,8,1,p\"");
    EXPECT_EQ(s["Driver_Ports"], ports);
    EXPECT_EQ(s["DestinationDirs"], (Lines{"DefaultDestDir=66000"}));
    EXPECT_EQ(s["SourceDisksNames"], (Lines{"1=%Disk1%,,,"}));
    EXPECT_EQ(s["SourceDisksFiles"], (Lines{"K7XRES.DLL=1", "K7X.INI=1", "K7X.GPD=1", "ZIKU.UFM=1"}));
    EXPECT_EQ(s["SourceDisksFiles.x86"], (Lines{"K7XD.DLL=1,x86", "K7XF.DLL=1,x86"}));
    ASSERT_EQ(s["Strings"].size(), 2u);
    EXPECT_EQ(s["Strings"][0].rfind("Maker=\"", 0), 0u);
    EXPECT_EQ(s["Strings"][1].rfind("Disk1=\"", 0), 0u);
    EXPECT_EQ(s.size(), 12u);
}

// The OEM INF recognition: pieces of at most 259 characters, class seen,
// then "[Manufacturer]" or ".GPD" seen, then a piece naming K7X.
TEST(DriverInf, IsRecognisedAtTheModelLineAfterManufacturer) {
    auto lines = SplitCrlf(Authored("K7X.INF"));
    bool classSeen = false, manufacturerSeen = false, gpdSeen = false;
    std::string matchedAt;
    for (const auto& line : lines) {
        ASSERT_LT(line.size() + 1, 259u) << "a line arrives as more than one piece";
        classSeen = classSeen || line.find("Class=Printer") != std::string::npos;
        manufacturerSeen = manufacturerSeen || line.find("[Manufacturer]") != std::string::npos;
        gpdSeen = gpdSeen || line.find(".GPD") != std::string::npos;
        if (classSeen && (gpdSeen || manufacturerSeen) && line.find("K7X") != std::string::npos) {
            matchedAt = line;
            break;
        }
    }
    EXPECT_EQ(matchedAt, "\"K7X\"=Driver_K7X,NTx86");
}

}  // namespace
}  // namespace payload_test
