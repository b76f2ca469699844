// The INF parser of the printer setup utility, and the install plan it reads from an INF.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "shipped_inf.h"
#include "printui/inf.h"
#include "printui/install_plan.h"

namespace {

using printui::InfFile;
using printui::ParseInf;

std::vector<std::string> Fields(const InfFile& inf, const std::string& section, size_t line) {
  const auto* s = inf.Section(section);
  if (!s || line >= s->lines.size()) return {"<no such line>"};
  return s->lines[line].fields;
}

std::string ErrorOf(std::string_view text) { return ParseInf(text).error; }

TEST(InfParse, SectionsKeysFieldsQuotesAndComments) {
  auto r = ParseInf(
      "; heading comment\r\n"
      "[Version]\r\n"
      "Signature=\"$Windows NT$\"   ; trailing comment\r\n"
      "  Class = Printer  \r\n"
      "[Driver_K7X.NTx86]\r\n"
      "\"K7X\" = Driver_Files , K7X_RECEIPT_80MM\r\n"
      "[Ports]\r\n"
      "HKLM,\"SOFTWARE\\Ports\",\"COM1:\",,\"38400,n,8,1,p\"\r\n"
      "[Quotes]\r\n"
      "a=\"say \"\"hi\"\"\"\r\n"
      "b=\"  kept  \"x ; \"not a field\"\r\n"
      "c=\"\"\r\n"
      "d=x=y\r\n");
  ASSERT_EQ(r.error, "");
  const InfFile& inf = r.inf;
  EXPECT_EQ(inf.Value("version", "SIGNATURE"), "$Windows NT$");
  EXPECT_EQ(inf.Value("Version", "Class"), "Printer");
  const auto* line = inf.Line("driver_k7x.ntx86", "k7x");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->fields, (std::vector<std::string>{"Driver_Files", "K7X_RECEIPT_80MM"}));
  EXPECT_EQ(line->number, 6);
  EXPECT_FALSE(inf.Section("Ports")->lines[0].key.has_value());
  EXPECT_EQ(Fields(inf, "Ports", 0),
            (std::vector<std::string>{"HKLM", "SOFTWARE\\Ports", "COM1:", "", "38400,n,8,1,p"}));
  EXPECT_EQ(inf.Value("Quotes", "a"), "say \"hi\"");
  EXPECT_EQ(inf.Value("Quotes", "b"), "  kept  x");
  EXPECT_EQ(inf.Value("Quotes", "c"), "");
  EXPECT_EQ(inf.Value("Quotes", "d"), "x=y");
  EXPECT_EQ(inf.Value("Quotes", "missing"), std::nullopt);
  EXPECT_EQ(inf.Section("Nope"), nullptr);
}

TEST(InfParse, StringsAreSubstitutedInKeysAndFields) {
  auto r = ParseInf(
      "[Version]\nProvider=%Maker%\n"
      "[Manufacturer]\n%Maker%=Models\n"
      "[Other]\nx=100%%,%Unknown%,\"%maker% ltd\"\n"
      "[Strings]\nMaker=\"Receipt Printer Maker\"\n");
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.inf.Value("Version", "Provider"), "Receipt Printer Maker");
  EXPECT_EQ(r.inf.Value("Manufacturer", "Receipt Printer Maker"), "Models");
  EXPECT_EQ(Fields(r.inf, "Other", 0), (std::vector<std::string>{"100%", "%Unknown%", "Receipt Printer Maker ltd"}));
}

TEST(InfParse, LineEndsContinuationRepeatedSectionsAndCtrlZ) {
  auto r = ParseInf(
      "[Files]\n"
      "CopyFiles=@A.DLL, \\\n"
      "   @B.DLL ; comment after the continued part\n"
      "[files]\r\n"
      "Other=1\r\n"
      "[Tail]\n"
      "z=1\x1A[Ignored]\nq=2\n");
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.inf.sections.size(), 2u);
  EXPECT_EQ(Fields(r.inf, "FILES", 0), (std::vector<std::string>{"@A.DLL", "@B.DLL"}));
  EXPECT_EQ(r.inf.Value("Files", "Other"), "1");
  EXPECT_EQ(r.inf.Value("Tail", "z"), "1");
  EXPECT_EQ(r.inf.Section("Ignored"), nullptr);
}

TEST(InfParse, RefusesWhatItCannotRead) {
  EXPECT_EQ(ErrorOf("[Version\nClass=Printer\n"), "line 1: section header without ']'");
  EXPECT_EQ(ErrorOf("[Version]\nClass=\"Printer\n"), "line 2: unterminated quoted string");
  EXPECT_EQ(ErrorOf("Class=Printer\n[Version]\n"), "line 1: text before the first section");
  EXPECT_EQ(ErrorOf("[ ]\n"), "line 1: empty section name");
  EXPECT_EQ(ErrorOf("[A] b\n"), "line 1: text after the section header");
  EXPECT_EQ(ErrorOf(std::string_view("[A]\nx=1\0\n", 9)), "line 2: NUL byte");
  EXPECT_TRUE(ParseInf("[A] ; fine\n").error.empty());
  EXPECT_TRUE(ParseInf("").inf.sections.empty());
  // A refused input leaves no half-read file behind.
  EXPECT_TRUE(ParseInf("[A]\nx=1\n[B\n").inf.sections.empty());
}

TEST(ModelsSection, PicksTheBestDecorationForTheSystem) {
  using printui::ModelsSection;
  EXPECT_EQ(ModelsSection("M", {"NTx86"}, 5, 1), "M.NTx86");
  EXPECT_EQ(ModelsSection("M", {"NTx86"}, 5, 0), "M");  // Windows 2000 reads no decorations
  EXPECT_EQ(ModelsSection("M", {"NT", "NTx86"}, 6, 1), "M.NTx86");
  EXPECT_EQ(ModelsSection("M", {"NTamd64", "NTia64"}, 5, 1), "M");
  EXPECT_EQ(ModelsSection("M", {"NTx86.6.0", "NTx86"}, 5, 1), "M.NTx86");
  EXPECT_EQ(ModelsSection("M", {"NTx86.6.0", "NTx86"}, 6, 1), "M.NTx86.6.0");
  EXPECT_EQ(ModelsSection("M", {}, 6, 1), "M");
  EXPECT_EQ(ModelsSection("M", {"NTx86", "NTx86.5.1"}, 5, 1), "M.NTx86.5.1");  // the running version counts
}

// The plan the shipped INF gives: files, sources, registry values and the driver record.
class InstallPlanTest : public ::testing::Test {
 protected:
  printui::PlanResult Plan(const std::string& text, const std::string& model = "K7X", int minor = 1) {
    auto parsed = ParseInf(text);
    EXPECT_EQ(parsed.error, "");
    return printui::PlanInstall(parsed.inf, {model, "C:\\TEMP", "C:\\D", 5, minor});
  }
};

TEST_F(InstallPlanTest, TheShippedInfInstallsTheModelWithTheUnidrvCore) {
  auto r = Plan(ShippedInf());
  ASSERT_TRUE(r.plan) << r.error;
  std::vector<std::string> names, firstSources;
  for (const auto& f : r.plan->files) {
    names.push_back(f.name);
    firstSources.push_back(f.sources.front());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"K7X.GPD", "ZIKU.UFM", "K7X.INI", "K7XRES.DLL", "K7XD.DLL",
                                             "K7XF.DLL", "UNIDRV.DLL", "UNIDRVUI.DLL", "UNIRES.DLL", "UNIDRV.HLP",
                                             "STDNAMES.GPD"}));
  EXPECT_EQ(firstSources[0], "C:\\TEMP\\K7X.GPD");
  EXPECT_EQ(firstSources[4], "C:\\TEMP\\x86\\K7XD.DLL");
  EXPECT_EQ(firstSources[5], "C:\\TEMP\\x86\\K7XF.DLL");
  // The system's Unidrv files: from the INF's folder, else from the driver directory.
  EXPECT_EQ(r.plan->files[6].sources, (std::vector<std::string>{"C:\\TEMP\\UNIDRV.DLL", "C:\\D\\UNIDRV.DLL"}));
  const auto& d = r.plan->driver;
  EXPECT_EQ(d.name, "K7X");
  EXPECT_EQ(d.driverPath, "UNIDRV.DLL");
  EXPECT_EQ(d.dataFile, "K7X.GPD");
  EXPECT_EQ(d.configFile, "UNIDRVUI.DLL");
  EXPECT_EQ(d.helpFile, "UNIDRV.HLP");
  EXPECT_EQ(d.dependentFiles, (std::vector<std::string>{"ZIKU.UFM", "K7X.INI", "K7XRES.DLL", "K7XD.DLL", "K7XF.DLL",
                                                        "UNIRES.DLL", "STDNAMES.GPD"}));
  ASSERT_EQ(r.plan->values.size(), 4u);
  EXPECT_EQ(r.plan->values[3].subkey, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports");
  EXPECT_EQ(r.plan->values[3].name, "COM4:");
  EXPECT_EQ(r.plan->values[3].type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(r.plan->values[3].data, std::string("38400,n,8,1,p\0", 14));
  // Model names are matched without case, and Windows 2000 takes the undecorated models section.
  EXPECT_TRUE(Plan(ShippedInf(), "k7x").plan);
  EXPECT_TRUE(Plan(ShippedInf(), "K7X", 0).plan);
}

// The install section's own decoration: .NTx86 before .NT before none, in whatever order they come.
TEST_F(InstallPlanTest, TheInstallSectionForX86ComesBeforeTheOneForAnyNt) {
  auto r = Plan("[Version]\nClass=Printer\n[Manufacturer]\nM=Models\n[Models]\nK7X=Inst\n"
                "[Inst.NT]\nCopyFiles=@A.GPD,@NT.DLL\nDataFile=A.GPD\nDriverFile=NT.DLL\n"
                "[Inst.NTx86]\nCopyFiles=@A.GPD,@X86.DLL\nDataFile=A.GPD\nDriverFile=X86.DLL\n"
                "[Inst]\nCopyFiles=@A.GPD,@ANY.DLL\nDataFile=A.GPD\nDriverFile=ANY.DLL\n");
  ASSERT_TRUE(r.plan) << r.error;
  EXPECT_EQ(r.plan->installSection, "Inst.NTx86");
  EXPECT_EQ(r.plan->driver.driverPath, "X86.DLL");
}

TEST_F(InstallPlanTest, RefusalsSayWhy) {
  std::string inf = ShippedInf();
  auto unknown = Plan(inf, "K8X");
  EXPECT_FALSE(unknown.plan);
  EXPECT_EQ(unknown.error, "unknown model \"K8X\"");
  EXPECT_EQ(unknown.code, 1797u);

  auto notPrinter = Plan("[Version]\nClass=Net\n");
  EXPECT_EQ(notPrinter.error, "not a printer INF ([Version] Class=Net)");
  EXPECT_EQ(Plan("[Version]\nClass=Printer\n").error, "no [Manufacturer] section");
  EXPECT_EQ(Plan("[Version]\nClass=Printer\n[Manufacturer]\nM=Models,NTx86\n[Models]\nK7X=Inst\n").error,
            "models section [Models.NTx86] is missing");
  const std::string head = "[Version]\nClass=Printer\n[Manufacturer]\nM=Models\n[Models]\nK7X=Inst\n";
  EXPECT_EQ(Plan(head).error, "install section [Inst] is missing");
  EXPECT_EQ(Plan(head + "[Inst]\nCopyFiles=List\n").error, "CopyFiles section [List] is missing");
  EXPECT_EQ(Plan(head + "[Inst]\nCopyFiles=@A.GPD\nDataFile=A.GPD\n").error, "no DriverFile for model \"K7X\"");
  EXPECT_EQ(Plan(head + "[Inst]\nCopyFiles=@A.GPD\nInclude=NTPRINT.INF\nNeeds=UNIDRV.OEM\nDataFile=B.GPD\n").error,
            "B.GPD is not among the files the install section copies");
  EXPECT_EQ(Plan(head + "[Inst]\nNeeds=UNIDRV.OEM\n").error,
            "needed section [UNIDRV.OEM] is not in the INF or what it includes");
  EXPECT_EQ(Plan(head + "[Inst]\nCopyFiles=@A.DLL\n[SourceDisksFiles]\nA.DLL=2\n").error,
            "disk 2 of A.DLL is not in [SourceDisksNames]");
  EXPECT_EQ(Plan(head + "[Inst]\nAddReg=R\n[R]\nHKR,,x,,1\n").error, "line 10: AddReg root \"HKR\" is not supported");
  EXPECT_EQ(Plan(head + "[Inst]\nAddReg=R\n[R]\nHKLM,K,x,0x4,1\n").error,
            "line 10: AddReg flags \"0x4\" are not supported");
}

TEST_F(InstallPlanTest, AddRegTypesAndSourceDiskPaths) {
  const std::string inf =
      "[Version]\nClass=Printer\n[Manufacturer]\nM=Models\n[Models]\nK7X=B.GPD\n"
      "[B.GPD.NT]\nCopyFiles=@A.DLL,List\nDriverFile=A.DLL\nAddReg=R\n"
      "[List]\nB.GPD,SRC_B.GPD\n"
      "[SourceDisksNames]\n1=Disk,,,\\drivers\n"
      "[SourceDisksFiles]\nA.DLL=1,x86\nSRC_B.GPD=1\n"
      "[R]\nHKCU,Software\\K,Count,0x10001,0x20\nHKLM,Software\\K,List,0x10000,a,b\nHKLM,Software\\K,Bin,1,0a,FF\n"
      "HKLM,Software\\Only\nHKLM,Software\\K,Keep,2,v\n";
  auto r = Plan(inf);
  ASSERT_TRUE(r.plan) << r.error;
  EXPECT_EQ(r.plan->installSection, "B.GPD.NT");
  EXPECT_EQ(r.plan->files[0].sources.front(), "C:\\TEMP\\drivers\\x86\\A.DLL");
  EXPECT_EQ(r.plan->files[1].name, "B.GPD");
  EXPECT_EQ(r.plan->files[1].sources.front(), "C:\\TEMP\\drivers\\SRC_B.GPD");
  EXPECT_EQ(r.plan->driver.dataFile, "B.GPD");  // no DataFile: the install section named by the model
  const auto& v = r.plan->values;
  ASSERT_EQ(v.size(), 5u);
  EXPECT_EQ(v[0].root, HKEY_CURRENT_USER);
  EXPECT_EQ(v[0].type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(v[0].data, std::string("\x20\0\0\0", 4));
  EXPECT_EQ(v[1].type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(v[1].data, std::string("a\0b\0\0", 5));
  EXPECT_EQ(v[2].type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(v[2].data, "\x0a\xff");
  EXPECT_TRUE(v[3].keyOnly);
  EXPECT_TRUE(v[4].noClobber);
}

}  // namespace
