// The check of a vendor's payload files: the project's own files pass; each fault the installer
// would trip over is one line naming the file and, where there is one, the line.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "vendor_files.h"

namespace {

using k7x::tools::CheckVendorFile;
using k7x::tools::VendorRole;
using Lines = std::vector<std::string>;

std::string Read(const std::string& path) {
  std::ifstream in(std::string(K7X_SOURCE_DIR) + "/" + path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

Lines Check(VendorRole role, const std::string& name, const std::string& text) {
  return CheckVendorFile(role, name, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

const std::string kFiles = "src/payload/files/";

TEST(VendorFiles, TheProjectsOwnFilesPass) {
  EXPECT_EQ(Check(VendorRole::kModelGpd, "K7X.GPD", Read(kFiles + "K7X.GPD")), Lines{});
  EXPECT_EQ(Check(VendorRole::kModelIni, "K7X.INI", Read(kFiles + "K7X.INI")), Lines{});
  EXPECT_EQ(Check(VendorRole::kInf, "K7X.INF", Read(kFiles + "K7X.INF")), Lines{});
  for (const char* language : {"Multi_ch.dll.txt", "Multi_eng.dll.txt", "Multi_ch_BIG5.dll.txt"})
    EXPECT_EQ(Check(VendorRole::kLanguageFile, language, Read(kFiles + language)), Lines{});
  EXPECT_EQ(Check(VendorRole::kSettingsFile, "setting.dll", Read(kFiles + "setting.dll.txt")), Lines{});
  EXPECT_EQ(Check(VendorRole::kProgram, "K7XD.DLL", Read("tests/fuzz/corpus/share_resources/two_equal_resources.exe")),
            Lines{});
}

TEST(VendorFiles, AModelGpdTheRewritingCannotTrustIsRefusedLineByLine) {
  std::string gpd = Read(kFiles + "K7X.GPD");
  std::size_t model = gpd.find("*ModelName:");
  ASSERT_NE(model, std::string::npos);
  int modelLine = static_cast<int>(std::count(gpd.begin(), gpd.begin() + static_cast<std::ptrdiff_t>(model), '\n')) + 1;
  std::string twice = gpd + "*ModelName: \"K7X2\"\r\n";
  int last = static_cast<int>(std::count(twice.begin(), twice.end(), '\n'));
  EXPECT_EQ(Check(VendorRole::kModelGpd, "K7X.GPD", twice),
            Lines{"K7X.GPD:" + std::to_string(last) + ": a second line holding *ModelName: (the first is line " +
                  std::to_string(modelLine) + ")"});

  EXPECT_EQ(Check(VendorRole::kModelGpd, "K7X.GPD", Replace(gpd, "*ModelName:", "*%ModelName")),
            Lines{"K7X.GPD: no line holds *ModelName:"});
  EXPECT_EQ(Check(VendorRole::kModelGpd, "K7X.GPD", Replace(gpd, "*Include: \"stdnames.gpd\"", "*Include: \"other.gpd\"")),
            Lines{"K7X.GPD: no line *Include: \"stdnames.gpd\""});
  std::string faults = "*GPDFileName: \"K7X.GPD\"\r\n*ModelName: \"K7X\"\n*ResourceDLL: \"K7XRES.DLL\"\r\n" +
                       std::string(260, 'x') + "\r\n*Include: \"STDNAMES.GPD\"\r\nOEMDriverFile1=x\r\n" +
                       std::string("a\0b\x1A", 4) + "\r\n";
  EXPECT_EQ(Check(VendorRole::kModelGpd, "g", faults),
            (Lines{"g:2: ends in a bare LF, not CR LF", "g:4: 260 characters, more than 259", "g:7: holds a NUL byte",
                   "g:7: holds a Ctrl-Z byte", "g:6: holds OEMDriverFile1=, which the installer would rewrite"}));
}

TEST(VendorFiles, IniInfAndStartUpFilesNeedWhatTheInstallerReads) {
  std::string ini = Read(kFiles + "K7X.INI");
  EXPECT_EQ(Check(VendorRole::kModelIni, "K7X.INI", Replace(ini, "OEMConfigFile1=K7XF.DLL", "OEMConfigFile2=K7XF.DLL")),
            Lines{"K7X.INI: no OEMConfigFile1 in [OEMFiles]"});
  EXPECT_EQ(Check(VendorRole::kModelIni, "K7X.INI", Replace(ini, "[OEMFiles]", "[Files]")),
            (Lines{"K7X.INI: no section [OEMFiles]", "K7X.INI: no OEMDriverFile1 in [OEMFiles]",
                   "K7X.INI: no OEMConfigFile1 in [OEMFiles]"}));

  std::string inf = Read(kFiles + "K7X.INF");
  Lines noClass = Check(VendorRole::kInf, "K7X.INF", Replace(inf, "Class=Printer", "Class=Image"));
  ASSERT_EQ(noClass.size(), 1u);
  EXPECT_EQ(noClass[0].rfind("K7X.INF: cannot install model K7X on Windows 5.0: ", 0), 0u) << noClass[0];
  Lines noInstallSection = Check(VendorRole::kInf, "K7X.INF", Replace(inf, "[Driver_Files]", "[Other_Files]"));
  ASSERT_EQ(noInstallSection.size(), 1u);
  EXPECT_NE(noInstallSection[0].find("cannot install model K7X"), std::string::npos) << noInstallSection[0];
  EXPECT_EQ(Check(VendorRole::kInf, "K7X.INF", "[Version]\r\n\"open\r\n"), Lines{"K7X.INF:2: unterminated quoted string"});

  EXPECT_EQ(Check(VendorRole::kSettingsFile, "setting.dll", "[Setting]\r\nLanguage=English\r\n"),
            Lines{"setting.dll: no PrinterName in [Setting]"});
  EXPECT_EQ(Check(VendorRole::kLanguageFile, "Multi_eng.dll", "[Setting]\r\nLanguage=English\r\n"),
            Lines{"Multi_eng.dll: no section [String]"});
}

TEST(VendorFiles, LibrariesAndTheUninstallerArePe32ImagesForI386) {
  std::string image = Read("tests/fuzz/corpus/share_resources/two_equal_resources.exe");
  std::string x64 = image;
  x64[static_cast<unsigned char>(x64[60]) + 4] = '\x64';  // machine 0x8664
  x64[static_cast<unsigned char>(x64[60]) + 5] = '\x86';
  EXPECT_EQ(Check(VendorRole::kProgram, "K7XD.DLL", x64), Lines{"K7XD.DLL: not a PE32 image for i386"});
  EXPECT_EQ(Check(VendorRole::kProgram, "K7XD.DLL", "MZ"),
            Lines{"K7XD.DLL: not a PE32 image for i386: the MZ header lies beyond the end of the file"});
  EXPECT_EQ(Check(VendorRole::kProgram, "K7XD.DLL", "K7X PLACEHOLDER: K7XD.DLL\r\n"),
            Lines{"K7XD.DLL: a placeholder of this project, not the real file"});
}

}  // namespace
