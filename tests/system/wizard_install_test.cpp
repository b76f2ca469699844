// The whole program on machines of each kind: the wizard walked to the end installs the printer
// with the payload of the system and the languages, and says so in the chosen language.
#include <windows.h>

#include "winemu/machine/codepage.h"
#include "winemu/winspool/spooler_store.h"
#include "wizard_fixture.h"

namespace {

struct MachineKind {
  const char* name;
  int major, minor;
  std::uint16_t lang;
  int languageClick;  // 0: keep the preset; otherwise the radio button to click
  const char* core;   // payload file staged as UNIDRV.DLL
  const char* config; // payload file staged as K7XF.dll
  std::vector<std::string> pluginNames;  // resource library, rendering and configuration plug-in in D
  const char* messageUtf8;              // the success text as the machine's code page shows it
};

std::string Mojibake(const char* utf8, unsigned storedIn, unsigned shownIn) {
  return winemu::AnsiToUtf8(winemu::Utf8ToAnsi(utf8, storedIn), shownIn);
}

void PrintTo(const MachineKind& k, std::ostream* os) { *os << k.name; }

class WizardInstallTest : public k7x::test::ProgramRunTest, public ::testing::WithParamInterface<MachineKind> {};

TEST_P(WizardInstallTest, InstallsThePayloadOfTheSystemAndTheLanguages) {
  const MachineKind& k = GetParam();
  winemu::CreateOptions o;
  o.major = k.major;
  o.minor = k.minor;
  o.langId = k.lang;
  MakeMachine(o);
  winemu::ui::ScriptDriver script;
  script.Click(IDC_WIZ_NEXT);
  if (k.languageClick) script.Click(k.languageClick);
  script.Click(IDC_WIZ_NEXT).Select(IDC_SERIES_LIST, 0).Click(IDC_WIZ_NEXT).Wait(500).Answer();
  RunProgram();
  EXPECT_EQ(script.Remaining(), 0u);

  EXPECT_TRUE(ReadFile("C:\\TEMP\\UNIDRV.DLL") == Payload(k.core)) << "UNIDRV.DLL is not " << k.core;
  for (const char* dir : {"C:\\TEMP\\", "C:\\TEMP\\I386\\", "C:\\TEMP\\x86\\"})
    EXPECT_TRUE(ReadFile(std::string(dir) + "K7XF.dll") == Payload(k.config)) << dir << "K7XF.dll is not " << k.config;
  std::vector<std::string> names = DriverDirectoryNames();
  for (const std::string& n : k.pluginNames)
    EXPECT_NE(std::find(names.begin(), names.end(), n), names.end()) << n << " in the driver directory";
  EXPECT_EQ(names.size(), 12u);
  ASSERT_TRUE(winemu::spooler::FindPrinter("K7X"));
  EXPECT_EQ(winemu::spooler::DefaultPrinter(), "K7X");
  EXPECT_EQ(MessageBoxCount(), 1);
  EXPECT_EQ(MessageBoxText(), k.messageUtf8);
}

const char* kEnglish = "The Printer Driver has been installed successfully!";
const std::string kBig5OnWestern = Mojibake("打印機驅動程序安裝成功!", 950, 1252);

INSTANTIATE_TEST_SUITE_P(
    Kinds, WizardInstallTest,
    ::testing::Values(
        MachineKind{"XpEnglish", 5, 1, 0x0409, 0, "UNIDRV_en_2600.DLL", "K7XF_en.DLL",
                    {"K7XRES.DLL", "K7XD.dll", "K7XF.dll"}, kEnglish},
        MachineKind{"W2000SimplifiedChinese", 5, 0, 0x0804, 0, "UNIDRV_zh_3790_184.DLL", "K7XF_zhcn.DLL",
                    {"K7XRES.DLL", "K7XD.DLL", "K7XF.DLL"}, "打印机驱动程序安装成功!"},
        MachineKind{"W2003TraditionalChinese", 5, 2, 0x0404, 0, "UNIDRV_zh_3790_0.DLL", "K7XF_zhtw.DLL",
                    {"K7XRES.dll", "K7XD.dll", "K7XF.dll"}, "打印機驅動程序安裝成功!"},
        MachineKind{"VistaChineseChoosingEnglish", 6, 0, 0x0804, 1038, "UNIDRV_zh_3790_0.DLL", "K7XF_en_gen.DLL",
                    {"K7XRES.dll", "K7XD.dll", "K7XF.dll"}, kEnglish},
        MachineKind{"W7EnglishChoosingChinese", 6, 1, 0x0409, 1037, "UNIDRV_en_2600.DLL", "K7XF_zhtw.DLL",
                    {"K7XRES.dll", "K7XD.dll", "K7XF.dll"}, kBig5OnWestern.c_str()}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
