// The printer setup utility: its command line, and what it does on a machine.
#include <windows.h>

#include <fstream>
#include <sstream>

#include "shipped_inf.h"
#include "support/machine_fixture.h"
#include "printui/command_line.h"
#include "winemu/printui_program/printui.h"
#include "winemu/winspool/spooler_store.h"

namespace {

using printui::Action;
using printui::ParseCommand;
using printui::SplitArguments;
using k7x::test::TempDir;
namespace spooler = winemu::spooler;

using Args = std::vector<std::string>;

TEST(PrintUiArguments, SplitAsWindowsProgramsSplitTheirs) {
  EXPECT_EQ(SplitArguments("/if /f C:\\TEMP\\K7X.INF /r \"LPT1:\" /b \"K7X\" /m \"K7X\" "),
            (Args{"/if", "/f", "C:\\TEMP\\K7X.INF", "/r", "LPT1:", "/b", "K7X", "/m", "K7X"}));
  EXPECT_EQ(SplitArguments("  /n \"Receipt K7X (Copy 1)\"\t/y"), (Args{"/n", "Receipt K7X (Copy 1)", "/y"}));
  EXPECT_EQ(SplitArguments("a\"b c\"d \"\" e"), (Args{"ab cd", "", "e"}));
  EXPECT_EQ(SplitArguments("\"say \"\"hi\"\"\""), (Args{"say \"hi\""}));
  EXPECT_EQ(SplitArguments("a\\\\\"b c\" d\\\"e f\\\\g"), (Args{"a\\b c", "d\"e", "f\\\\g"}));
  EXPECT_EQ(SplitArguments("\"unclosed to the end"), (Args{"unclosed to the end"}));
  EXPECT_EQ(SplitArguments("   "), Args{});
}

TEST(PrintUiArguments, OptionsOfTheTwoActions) {
  auto install = ParseCommand(SplitArguments("/if /f C:\\TEMP\\K7X.INF /r \"LPT1:\" /b \"K7X\" /m \"K7X\" "));
  ASSERT_TRUE(install.command) << install.error;
  EXPECT_EQ(install.command->action, Action::InstallFromInf);
  EXPECT_EQ(install.command->infPath, "C:\\TEMP\\K7X.INF");
  EXPECT_EQ(install.command->port, "LPT1:");
  EXPECT_EQ(install.command->baseName, "K7X");
  EXPECT_EQ(install.command->model, "K7X");
  auto noBase = ParseCommand({"/if", "/f", "a.inf", "/r", "LPT1:", "/m", "M1"});
  ASSERT_TRUE(noBase.command);
  EXPECT_EQ(noBase.command->baseName, "M1");
  auto setDefault = ParseCommand(SplitArguments("/y /n \"K7X\""));
  ASSERT_TRUE(setDefault.command);
  EXPECT_EQ(setDefault.command->action, Action::SetDefault);
  EXPECT_EQ(setDefault.command->printer, "K7X");
}

TEST(PrintUiArguments, RefusalsSayWhy) {
  auto error = [](const std::string& text) { return ParseCommand(SplitArguments(text)).error; };
  EXPECT_EQ(error("/if /f a.inf /r LPT1: /m K7X /q"), "unknown option /q");
  EXPECT_EQ(error("/Y /n K7X"), "unknown option /Y");
  EXPECT_EQ(error("/y /n"), "option /n needs a value");
  EXPECT_EQ(error("/y K7X"), "unexpected argument \"K7X\"");
  EXPECT_EQ(error("/n K7X"), "no action (/if or /y)");
  EXPECT_EQ(error("/if /y /n K7X"), "more than one action (/if and /y)");
  EXPECT_EQ(error("/if /r LPT1: /m K7X"), "/if needs the INF file (/f)");
  EXPECT_EQ(error("/if /f a.inf /m K7X"), "/if needs the port (/r)");
  EXPECT_EQ(error("/if /f a.inf /r LPT1:"), "/if needs the driver model (/m)");
  EXPECT_EQ(error("/y"), "/y needs the printer name (/n)");
}

constexpr const char* kInstall = "/if /f C:\\TEMP\\K7X.INF /r \"LPT1:\" /b \"K7X\" /m \"K7X\" ";
constexpr const char* kDriverDir3 = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\3";

const std::vector<std::string> kRootFiles = {"K7X.GPD",    "ZIKU.UFM",     "K7X.INI",    "K7XRES.DLL",
                                             "UNIDRV.DLL", "UNIDRVUI.DLL", "UNIRES.DLL", "UNIDRV.HLP",
                                             "STDNAMES.GPD"};
const std::vector<std::string> kX86Files = {"K7XD.dll", "K7XF.dll"};

class PrintUiTest : public k7x::test::MachineTest {
 protected:
  // C:\TEMP as the engine stages it: the INF, the files in the root and the plug-ins in x86.
  void Stage() {
    WriteFile("C:\\TEMP\\K7X.INF", ShippedInf());
    for (const auto& f : kRootFiles) WriteFile("C:\\TEMP\\" + f, "staged " + f);
    for (const auto& f : kX86Files) WriteFile("C:\\TEMP\\x86\\" + f, "staged x86 " + f);
  }
  std::uint32_t Run(const std::string& args) { return winemu::printui::PrintUIEntry(args, "C:\\TEMP"); }
  std::vector<std::string> DriverFiles() {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(Host(kDriverDir3)))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string PortValue(const char* port) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
      return "<no key>";
    char data[64] = {0};
    DWORD size = sizeof data;
    DWORD type = 0;
    LONG err = RegQueryValueExA(key, port, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return err == ERROR_SUCCESS && type == REG_SZ ? std::string(data) : "<error>";
  }
  void ExpectNothingInstalled() {
    EXPECT_TRUE(DriverFiles().empty());
    EXPECT_TRUE(spooler::Printers().empty());
    EXPECT_TRUE(spooler::Drivers().empty());
    EXPECT_FALSE(Exists("C:\\WINDOWS\\inf\\oem0.inf"));
    EXPECT_EQ(PortValue("COM1:"), "9600,n,8,1");
  }
};

TEST_F(PrintUiTest, InstallsDriverAndPrinterFromTheStagedInf) {
  Stage();
  ASSERT_EQ(Run(kInstall), 0u);

  std::vector<std::string> expected = {"K7X.GPD",    "K7X.INI",    "K7XD.DLL",     "K7XF.DLL",
                                       "K7XRES.DLL", "STDNAMES.GPD", "UNIDRV.DLL", "UNIDRV.HLP",
                                       "UNIDRVUI.DLL", "UNIRES.DLL", "ZIKU.UFM"};
  EXPECT_EQ(DriverFiles(), expected);
  EXPECT_EQ(ReadFile(std::string(kDriverDir3) + "\\K7XD.DLL"), "staged x86 K7XD.dll");
  EXPECT_EQ(ReadFile(std::string(kDriverDir3) + "\\UNIDRV.DLL"), "staged UNIDRV.DLL");

  auto printer = spooler::FindPrinter("K7X");
  ASSERT_TRUE(printer);
  EXPECT_EQ(printer->driver, "K7X");
  EXPECT_EQ(printer->port, "LPT1:");
  auto driver = spooler::FindDriver("K7X");
  ASSERT_TRUE(driver);
  EXPECT_EQ(driver->driverPath, "UNIDRV.DLL");
  EXPECT_EQ(driver->dataFile, "K7X.GPD");
  EXPECT_EQ(driver->configFile, "UNIDRVUI.DLL");
  EXPECT_EQ(driver->helpFile, "UNIDRV.HLP");
  EXPECT_EQ(driver->dependentFiles.size(), 7u);
  for (const char* port : {"COM1:", "COM2:", "COM3:", "COM4:"}) EXPECT_EQ(PortValue(port), "38400,n,8,1,p") << port;
  EXPECT_EQ(ReadFile("C:\\WINDOWS\\inf\\oem0.inf"), ShippedInf());
  EXPECT_EQ(ReadFile("C:\\WINDOWS\\inf\\oem0.pnf"), "PNF precompiled oem0.inf\r\n");

  auto trace = TraceLines("");
  auto at = [&](const std::string& prefix) {
    for (size_t i = 0; i < trace.size(); ++i)
      if (trace[i].rfind(prefix, 0) == 0) return static_cast<long>(i);
    return -1L;
  };
  EXPECT_EQ(trace.front(), "printui.install from C:\\TEMP\\K7X.INF model \"K7X\" printer \"K7X\" port \"LPT1:\"");
  EXPECT_LT(at("file.copy C:\\TEMP\\x86\\K7XF.dll"), at("spooler.adddriver K7X"));
  EXPECT_LT(at("spooler.adddriver K7X"), at("spooler.addprinter K7X"));
  EXPECT_LT(at("spooler.addprinter K7X"), at("file.copy C:\\TEMP\\K7X.INF C:\\WINDOWS\\inf\\oem0.inf -> ok"));
  EXPECT_EQ(trace.back(),
            "printui.install done: printer \"K7X\" driver \"K7X\" INF kept as C:\\WINDOWS\\inf\\oem0.inf");
  // The utility copies each file into the driver directory, the spooler from there into 3.
  std::string driverDir = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86";
  EXPECT_LT(at("file.copy C:\\TEMP\\K7X.GPD " + driverDir + "\\K7X.GPD -> ok"),
            at("file.copy " + driverDir + "\\K7X.GPD " + driverDir + "\\3\\K7X.GPD -> ok"));
  EXPECT_LT(at("file.copy " + driverDir + "\\K7X.GPD " + driverDir + "\\3\\K7X.GPD -> ok"),
            at("spooler.adddriver K7X"));
  EXPECT_EQ(TraceLines("file.copy").size(), 23u);
}

TEST_F(PrintUiTest, ASecondInstallMakesACopyOfThePrinterAndTheNextFreeOemInf) {
  TempDir other;
  std::ofstream(other.path() / "x.inf") << "[Version]\r\nClass=Net\r\n";
  winemu::CreateOptions options;
  options.oemInfs = {{0, other.path() / "x.inf"}, {2, other.path() / "x.inf"}};
  MakeMachine(options);
  Stage();
  ASSERT_EQ(Run(kInstall), 0u);
  EXPECT_EQ(ReadFile("C:\\WINDOWS\\inf\\oem1.inf"), ShippedInf());
  ASSERT_EQ(Run(kInstall), 0u);
  EXPECT_EQ(ReadFile("C:\\WINDOWS\\inf\\oem3.inf"), ShippedInf());
  EXPECT_TRUE(Exists("C:\\WINDOWS\\inf\\oem3.pnf"));
  std::vector<std::string> names;
  for (const auto& p : spooler::Printers()) names.push_back(p.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"K7X", "K7X (Copy 1)"}));
}

TEST_F(PrintUiTest, TheUnidrvCoreComesFromTheDriverDirectoryWhenNotStaged) {
  Stage();
  std::string core = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86\\UNIDRV.DLL";
  WriteFile(core, "the system's UNIDRV.DLL");
  RemoveFile("C:\\TEMP\\UNIDRV.DLL");
  ASSERT_EQ(Run(kInstall), 0u);
  EXPECT_EQ(ReadFile(std::string(kDriverDir3) + "\\UNIDRV.DLL"), "the system's UNIDRV.DLL");
}

TEST_F(PrintUiTest, RelativeInfPathsAreTakenFromTheCurrentDirectory) {
  Stage();
  ASSERT_EQ(Run("/if /f K7X.INF /r LPT1: /b Receipt /m K7X"), 0u);
  EXPECT_TRUE(spooler::FindPrinter("Receipt"));
}

TEST_F(PrintUiTest, RefusalsInstallNothingAndSayWhy) {
  Stage();
  EXPECT_EQ(Run("/if /f C:\\TEMP\\K7X.INF /r LPT1: /m K7X /x"), static_cast<std::uint32_t>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(Run("/if /f C:\\TEMP\\K7X.INF /r LPT1: /b K7X /m K8X"), 1797u);
  EXPECT_EQ(Run("/if /f C:\\TEMP\\NONE.INF /r LPT1: /m K7X"), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  RemoveFile("C:\\TEMP\\x86\\K7XF.dll");
  EXPECT_EQ(Run(kInstall), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
  WriteFile("C:\\TEMP\\BAD.INF", "[Version]\r\nClass=Printer\r\n[Manufacturer\r\n");
  EXPECT_EQ(Run("/if /f C:\\TEMP\\BAD.INF /r LPT1: /m K7X"), 13u);
  EXPECT_EQ(TraceLines("printui.error"),
            (std::vector<std::string>{
                "printui.error unknown option /x",
                "printui.error C:\\TEMP\\K7X.INF: unknown model \"K8X\"",
                "printui.error cannot read the INF file C:\\TEMP\\NONE.INF",
                "printui.error missing file C:\\TEMP\\x86\\K7XF.DLL",
                "printui.error C:\\TEMP\\BAD.INF line 3: section header without ']'",
            }));
  ExpectNothingInstalled();
  EXPECT_TRUE(TraceLines("file.").empty());
}

TEST_F(PrintUiTest, AStoppedSpoolerInstallsNothing) {
  winemu::CreateOptions options;
  options.faults["spooler_stopped"] = "";
  MakeMachine(options);
  Stage();
  EXPECT_EQ(Run(kInstall), 1722u);
  EXPECT_EQ(TraceLines("printui.error"), std::vector<std::string>{"printui.error the print spooler is not running"});
  EXPECT_TRUE(DriverFiles().empty());
}

TEST_F(PrintUiTest, SetsTheDefaultPrinterWhenItExists) {
  winemu::CreateOptions options;
  options.printers = {"Office", "Receipt K7X"};
  MakeMachine(options);
  ASSERT_EQ(spooler::DefaultPrinter(), "Office");
  EXPECT_EQ(Run("/y /n \"receipt k7x\""), 0u);
  EXPECT_EQ(spooler::DefaultPrinter(), "Receipt K7X");
  EXPECT_EQ(Run("/y /n \"K7X\""), static_cast<std::uint32_t>(ERROR_INVALID_PRINTER_NAME));
  EXPECT_EQ(spooler::DefaultPrinter(), "Receipt K7X");
  EXPECT_EQ(TraceLines("printui."),
            (std::vector<std::string>{"printui.setdefault \"receipt k7x\"", "printui.setdefault \"K7X\"",
                                      "printui.error no printer \"K7X\""}));
  EXPECT_EQ(TraceLines("spooler.setdefault"),
            (std::vector<std::string>{"spooler.setdefault Receipt K7X -> ok", "spooler.setdefault K7X -> error 1801"}));
}

}  // namespace
