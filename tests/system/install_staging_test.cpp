// The engine's staging: directories, the driver file set and its earlier copies, the driver
// directory, the payloads chosen by system version and languages, and the copy list.
#include <windows.h>

#include <algorithm>

#include "install/DriverFileSet.h"
#include "install/PayloadStaging.h"
#include "install/StagingDir.h"
#include "install/WizardInstallHost.h"
#include "install/WrittenFiles.h"
#include "shared/DriverFiles.h"
#include "install_fixture.h"
#include "payload/PayloadIds.h"
#include "shared/SetupApp.h"
#include "shared/globals.h"
#include "sys/OSVersion.h"

namespace {

using k7x::test::InstallTest;
using k7x::test::PayloadIdResources;
using Staged = std::vector<std::pair<std::string, unsigned>>;

constexpr const char* kDriverDir = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86";

// The 17 staged files of rows 1 to 11 for the row ids given, N = K7X.
Staged Rows(const std::vector<unsigned>& ids) {
  const char* names[] = {"STDNAMES.GPD", "K7X.GPD",    "K7X.INI",      "K7XD.dll",   "ZIKU.UFM", "UNIDRV.DLL",
                         "UNIDRV.HLP",   "UNIDRVUI.DLL", "UNIRES.DLL", "K7XF.dll", "K7XRES.DLL"};
  Staged out;
  for (size_t row = 0; row < 11; ++row) {
    bool threePlaces = row == 3 || row == 9 || row == 10;
    for (const char* place : {"C:\\TEMP\\", "C:\\TEMP\\I386\\", "C:\\TEMP\\x86\\"}) {
      out.emplace_back(std::string(place) + names[row], ids[row]);
      if (!threePlaces) break;
    }
  }
  return out;
}

struct StagingCase {
  std::uint16_t lang;
  int osVersion;
  unsigned short languageChoice;
  std::vector<unsigned> ids;  // rows 1 to 11
};

class StagingChoiceTest : public InstallTest, public ::testing::WithParamInterface<StagingCase> {};

TEST_P(StagingChoiceTest, StagesTheRowsOfTheChosenSetAndVariantsInOrder) {
  const StagingCase& c = GetParam();
  winemu::CreateOptions options;
  options.langId = c.lang;
  UseMachine(options, c.osVersion, c.languageChoice);
  PayloadIdResources ids;
  CreateStagingDirs();
  StageDriverFiles(writer, ChooseStaging(g_OSVersion, GetSystemDefaultLangID(), g_LanguageChoice));
  EXPECT_EQ(StagedFiles(), Rows(c.ids));
}

INSTANTIATE_TEST_SUITE_P(
    SetCoreAndPlugins, StagingChoiceTest,
    ::testing::Values(
        // XP set, Chinese core, simplified-Chinese plug-ins.
        StagingCase{0x0804, OS_WINXP, 0,
                    {kPayloadXpStdnames, kPayloadXpGpd, kPayloadXpIni, kPayloadXpRenderPlugin, kPayloadZikuUfm,
                     kPayloadXpUnidrvZh, kPayloadXpUnidrvHelpZh, kPayloadXpUnidrvuiZh, kPayloadXpUniresZh,
                     kPayloadXpConfigPluginZhCn, kPayloadXpResourcesZh}},
        // English chosen on a Chinese system: Chinese core, English plug-ins.
        StagingCase{0x0804, OS_WINXP, 1,
                    {kPayloadXpStdnames, kPayloadXpGpd, kPayloadXpIni, kPayloadXpRenderPlugin, kPayloadZikuUfm,
                     kPayloadXpUnidrvZh, kPayloadXpUnidrvHelpZh, kPayloadXpUnidrvuiZh, kPayloadXpUniresZh,
                     kPayloadXpConfigPluginEn, kPayloadXpResourcesEn}},
        // Chinese chosen on an English system: English core, traditional-Chinese plug-ins.
        StagingCase{0x0409, OS_WINXP, 0,
                    {kPayloadXpStdnames, kPayloadXpGpd, kPayloadXpIni, kPayloadXpRenderPlugin, kPayloadZikuUfm,
                     kPayloadXpUnidrvEn, kPayloadXpUnidrvHelpEn, kPayloadXpUnidrvuiEn, kPayloadXpUniresEn,
                     kPayloadXpConfigPluginZhTw, kPayloadXpResourcesZhTw}},
        StagingCase{0x0C04, OS_WINXP, 0,
                    {kPayloadXpStdnames, kPayloadXpGpd, kPayloadXpIni, kPayloadXpRenderPlugin, kPayloadZikuUfm,
                     kPayloadXpUnidrvZh, kPayloadXpUnidrvHelpZh, kPayloadXpUnidrvuiZh, kPayloadXpUniresZh,
                     kPayloadXpConfigPluginZhTw, kPayloadXpResourcesZhTw}},
        // 2000 set with each core and each plug-in variant.
        StagingCase{0x0404, OS_WIN2000, 0,
                    {kPayloadW2kStdnames, kPayloadW2kGpd, kPayloadW2kIni, kPayloadW2kRenderPlugin, kPayloadZikuUfm,
                     kPayloadW2kUnidrvZh, kPayloadW2kUnidrvHelpZh, kPayloadW2kUnidrvuiZh, kPayloadW2kUniresZh,
                     kPayloadW2kConfigPluginZhTw, kPayloadW2kResourcesZhTw}},
        StagingCase{0x0804, OS_WIN2000, 0,
                    {kPayloadW2kStdnames, kPayloadW2kGpd, kPayloadW2kIni, kPayloadW2kRenderPlugin, kPayloadZikuUfm,
                     kPayloadW2kUnidrvZh, kPayloadW2kUnidrvHelpZh, kPayloadW2kUnidrvuiZh, kPayloadW2kUniresZh,
                     kPayloadW2kConfigPluginZhCn, kPayloadW2kResourcesZh}},
        StagingCase{0x0411, OS_WIN2000, 1,
                    {kPayloadW2kStdnames, kPayloadW2kGpd, kPayloadW2kIni, kPayloadW2kRenderPlugin, kPayloadZikuUfm,
                     kPayloadW2kUnidrvEn, kPayloadW2kUnidrvHelpEn, kPayloadW2kUnidrvuiEn, kPayloadW2kUniresEn,
                     kPayloadW2kConfigPluginEn, kPayloadW2kResourcesEn}},
        // General set for every other code.
        StagingCase{0x0409, OS_WIN7, 1,
                    {kPayloadGeneralStdnames, kPayloadGeneralGpd, kPayloadGeneralIni, kPayloadGeneralRenderPlugin,
                     kPayloadZikuUfm, kPayloadGeneralUnidrvEn, kPayloadGeneralUnidrvHelpEn, kPayloadGeneralUnidrvuiEn,
                     kPayloadGeneralUniresEn, kPayloadGeneralConfigPluginEn, kPayloadGeneralResourcesEn}},
        StagingCase{0x0404, OS_WIN2003, 0,
                    {kPayloadGeneralStdnames, kPayloadGeneralGpd, kPayloadGeneralIni, kPayloadGeneralRenderPlugin,
                     kPayloadZikuUfm, kPayloadGeneralUnidrvZh, kPayloadGeneralUnidrvHelpZh, kPayloadGeneralUnidrvuiZh,
                     kPayloadGeneralUniresZh, kPayloadGeneralConfigPluginZhTw, kPayloadGeneralResourcesZhTw}},
        StagingCase{0x0804, OS_VISTA, 0,
                    {kPayloadGeneralStdnames, kPayloadGeneralGpd, kPayloadGeneralIni, kPayloadGeneralRenderPlugin,
                     kPayloadZikuUfm, kPayloadGeneralUnidrvZh, kPayloadGeneralUnidrvHelpZh, kPayloadGeneralUnidrvuiZh,
                     kPayloadGeneralUniresZh, kPayloadGeneralConfigPluginZhCn, kPayloadGeneralResourcesZh}},
        StagingCase{0x0409, OS_NT4, 1,
                    {kPayloadGeneralStdnames, kPayloadGeneralGpd, kPayloadGeneralIni, kPayloadGeneralRenderPlugin,
                     kPayloadZikuUfm, kPayloadGeneralUnidrvEn, kPayloadGeneralUnidrvHelpEn, kPayloadGeneralUnidrvuiEn,
                     kPayloadGeneralUniresEn, kPayloadGeneralConfigPluginEn, kPayloadGeneralResourcesEn}},
        StagingCase{0x0409, OS_WIN32S, 1,
                    {kPayloadGeneralStdnames, kPayloadGeneralGpd, kPayloadGeneralIni, kPayloadGeneralRenderPlugin,
                     kPayloadZikuUfm, kPayloadGeneralUnidrvEn, kPayloadGeneralUnidrvHelpEn, kPayloadGeneralUnidrvuiEn,
                     kPayloadGeneralUniresEn, kPayloadGeneralConfigPluginEn, kPayloadGeneralResourcesEn}}));

TEST_F(InstallTest, OnlyTheModelGpdAndIniAreRewrittenForN) {
  std::snprintf(g_PrinterName, sizeof g_PrinterName, "K7X2");
  CreateStagingDirs();
  StageDriverFiles(writer, ChooseStaging(OS_WINXP, 0x0409, 1));
  std::string gpd = ReadFile("C:\\TEMP\\K7X2.GPD");
  EXPECT_NE(gpd.find("*ModelName: \"K7X2\"\n"), std::string::npos);
  EXPECT_NE(gpd.find("*ResourceDLL: \"K7X2RES.DLL\"\n"), std::string::npos);
  EXPECT_EQ(ReadFile("C:\\TEMP\\K7X2.INI"), "[OEMFiles]\nOEMDriverFile1=K7X2D.DLL\nOEMConfigFile1=K7X2F.DLL\n\n");
  for (const char* f : {"K7X2D.dll", "I386\\K7X2D.dll", "x86\\K7X2F.dll", "x86\\K7X2RES.DLL", "STDNAMES.GPD"})
    EXPECT_TRUE(Exists(std::string("C:\\TEMP\\") + f)) << f;
  // Byte for byte: the same sizes as the payload catalog gives.
  EXPECT_EQ(ReadFile("C:\\TEMP\\ZIKU.UFM").size(), 496u);
  EXPECT_EQ(ReadFile("C:\\TEMP\\x86\\K7X2F.dll").size(), 13312u);
}

TEST_F(InstallTest, TheUninstallerAndTheInfAreStagedAndTheUninstallerIsCopied) {
  {
    PayloadIdResources ids;
    CreateStagingDirs();
    StartWrittenFilesRecord();  // a copy is made only of what the run wrote
    EXPECT_TRUE(StageUninstallerAndInf(writer));
    EXPECT_EQ(StagedFiles(), (Staged{{"C:\\TEMP\\uninstallK7X.exe", kPayloadUninstaller}, {"C:\\TEMP\\K7X.INF", kPayloadInf}}));
  }
  auto trace = TraceLines("");
  auto at = [&](const std::string& line) { return std::find(trace.begin(), trace.end(), line) - trace.begin(); };
  // Payload 255, the three directories again, payload 256, then the copy.
  EXPECT_LT(at("file.write C:\\TEMP\\uninstallK7X.exe 13 -> ok"), at("dir.create C:\\TEMP\\x86 -> error 183"));
  EXPECT_LT(at("dir.create C:\\TEMP\\x86 -> error 183"), at("file.create C:\\TEMP\\K7X.INF -> ok"));
  EXPECT_EQ(trace.back(),
            std::string("file.copy C:\\TEMP\\uninstallK7X.exe ") + kDriverDir + "\\uninstallK7X.exe -> ok");
  EXPECT_EQ(ReadFile(std::string(kDriverDir) + "\\uninstallK7X.exe"), "payload 255\r\n");
}

TEST_F(InstallTest, TheCopyListKeepsItsOrderAndTheLetterCasesOfEachSet) {
  struct SetCase {
    int osVersion;
    std::vector<std::string> tail;  // resource library, rendering and configuration plug-in in D
  };
  for (const SetCase& c : {SetCase{7, {"K7XRES.DLL", "K7XD.dll", "K7XF.dll"}},
                           SetCase{6, {"K7XRES.DLL", "K7XD.DLL", "K7XF.DLL"}},
                           SetCase{9, {"K7XRES.dll", "K7XD.dll", "K7XF.dll"}}}) {
    UseMachine(winemu::CreateOptions{}, c.osVersion);
    StagingChoice choice = ChooseStaging(g_OSVersion, 0x0409, 1);
    CreateStagingDirs();
    StartWrittenFilesRecord();
    StageDriverFiles(writer, choice);
    machine().ClearTrace();
    CopyDriverFilesToDriverDir(choice);
    std::vector<std::string> expected;
    for (std::string name : {"UNIDRV.DLL", "K7X.GPD", "UNIDRVUI.DLL", "UNIDRV.HLP", "UNIRES.DLL", "STDNAMES.GPD",
                             "ZIKU.UFM", "K7X.INI"})
      expected.push_back(name);
    expected.insert(expected.end(), c.tail.begin(), c.tail.end());
    std::vector<std::string> copies;
    for (const std::string& name : expected)
      copies.push_back("file.copy C:\\TEMP\\" + name + " " + kDriverDir + "\\" + name + " -> ok");
    EXPECT_EQ(TraceLines("file.copy"), copies) << "version code " << c.osVersion;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FileNames(kDriverDir), expected) << "version code " << c.osVersion;
  }
}

TEST_F(InstallTest, TheDriverFileSetAndTheRemovalOfEarlierCopies) {
  DriverFileSet set;
  BuildDriverFileSet("K7X", set);
  std::vector<std::string> names(std::begin(set.names), std::end(set.names));
  EXPECT_EQ(names, (std::vector<std::string>{"STDNAMES.GPD", "K7X.GPD", "K7X.INI", "K7XD.dll", "K7XF.dll", "ZIKU.UFM",
                                             "K7XRES.dll", "UNIDRV.DLL", "UNIDRV.HLP", "UNIDRVUI.DLL", "UNIRES.DLL"}));
  std::string d = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
  for (const std::string& n : names)
    for (const std::string& dir : {std::string("C:\\TEMP"), d, d + "\\3"}) WriteFile(dir + "\\" + n, "old");
  WriteFile("C:\\TEMP\\notes.txt", "the user's");
  WriteFile(d + "\\3\\OTHER.DLL", "another driver's");

  RemoveEarlierDriverFiles(set, d.c_str());
  EXPECT_EQ(FileNames("C:\\TEMP"), std::vector<std::string>{"notes.txt"});
  // The Unidrv core stays in the driver directory too (the copy that follows overwrites it).
  EXPECT_EQ(FileNames(d), (std::vector<std::string>{"STDNAMES.GPD", "UNIDRV.DLL", "UNIDRV.HLP", "UNIDRVUI.DLL",
                                                    "UNIRES.DLL"}));
  EXPECT_EQ(FileNames(d + "\\3"), (std::vector<std::string>{"OTHER.DLL", "STDNAMES.GPD", "UNIDRV.DLL", "UNIDRV.HLP",
                                                            "UNIDRVUI.DLL", "UNIRES.DLL", "ZIKU.UFM"}));
  auto deletions = TraceLines("file.delete");
  ASSERT_EQ(deletions.size(), 11u + 6u + 5u);
  EXPECT_EQ(deletions[0], "file.delete C:\\TEMP\\STDNAMES.GPD -> ok");
  EXPECT_EQ(deletions[1], "file.delete C:\\TEMP\\K7X.GPD -> ok");
  EXPECT_EQ(deletions[2], "file.delete " + d + "\\K7X.GPD -> ok");
  EXPECT_EQ(deletions[3], "file.delete " + d + "\\3\\K7X.GPD -> ok");
}

TEST_F(InstallTest, WithoutADriverDirectoryOnlyTheStagingDirectoryIsTouched) {
  DriverFileSet set;
  BuildDriverFileSet("K7X", set);
  WriteFile("C:\\TEMP\\K7X.GPD", "old");
  RemoveEarlierDriverFiles(set, "");
  auto deletions = TraceLines("file.delete");
  EXPECT_EQ(deletions.size(), 11u);
  for (const std::string& line : deletions) EXPECT_EQ(line.rfind("file.delete C:\\TEMP\\", 0), 0u) << line;
  EXPECT_FALSE(Exists("C:\\TEMP\\K7X.GPD"));
}

TEST_F(InstallTest, ANameThatDoesNotFitLeavesItsEntriesEmpty) {
  DriverFileSet set;
  std::string longName(256, 'N');
  BuildDriverFileSet(longName.c_str(), set);
  EXPECT_STREQ(set.names[0], "STDNAMES.GPD");
  EXPECT_STREQ(set.names[1], "");
  EXPECT_STREQ(set.names[6], "");
  RemoveEarlierDriverFiles(set, "C:\\WINDOWS");
  EXPECT_EQ(TraceLines("file.delete").size(), 6u + 1u);  // in D only ZIKU.UFM: the rest is the Unidrv core
}

TEST_F(InstallTest, TheDriverDirectoryLookup) {
  char directory[MAX_PATH];
  LookUpDriverDirectory(directory);
  EXPECT_STREQ(directory, kDriverDir);
  EXPECT_EQ(TraceLines("spooler.driverdir"),
            std::vector<std::string>{std::string("spooler.driverdir env=\"Windows NT x86\" level=1 size=260 dir=") +
                                     kDriverDir + " -> ok"});

  winemu::CreateOptions stopped;
  stopped.faults["spooler_stopped"] = "";
  UseMachine(stopped, 7);
  LookUpDriverDirectory(directory);
  EXPECT_STREQ(directory, "");
}

TEST_F(InstallTest, TheSweepRemovesOnlyEmptyDirectories) {
  SweepStagingDir();  // nothing there: nothing happens
  EXPECT_FALSE(Exists("C:\\TEMP"));
  CreateStagingDirs();
  EXPECT_TRUE(Exists("C:\\TEMP\\I386"));
  EXPECT_TRUE(Exists("C:\\TEMP\\x86"));
  WriteFile("C:\\TEMP\\x86\\K7XD.dll", "staged");
  SweepStagingDir();
  EXPECT_FALSE(Exists("C:\\TEMP\\I386"));
  EXPECT_TRUE(Exists("C:\\TEMP\\x86\\K7XD.dll"));
  EXPECT_EQ(TraceLines("dir.remove").size(), 6u);
}

// The driver file table: every use spells a file alike but for letter case, and the copy handles
// every file once.
TEST(DriverFileTable, EveryUseNamesTheSameFileAndEveryOrderHoldsEachOnce) {
  for (const DriverFile& f : kDriverFiles) {
    EXPECT_EQ(lstrcmpiA(f.name, StagedName(f)), 0) << f.name;
    EXPECT_EQ(lstrcmpiA(f.name, NameInModelFiles(f)), 0) << f.name;
    for (PayloadSet set : {PayloadSet::XP, PayloadSet::Win2000, PayloadSet::General})
      EXPECT_EQ(lstrcmpiA(f.name, CopiedName(f, set)), 0) << f.name;
    EXPECT_EQ(&DriverFileOf(f.id), &f);
  }
  std::vector<int> copied;
  for (DriverFileId id : kCopyOrder) copied.push_back(static_cast<int>(id));
  std::sort(copied.begin(), copied.end());
  EXPECT_EQ(copied, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

}  // namespace
