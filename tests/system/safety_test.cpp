// The program on a machine an attacker or another driver shares: what it starts and loads comes
// from the system directory, other drivers' files stay, a limited user is told and nothing
// changes, the ERROR box keeps the wizard from starting a second run.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "shared/globals.h"
#include "shared/SetupApp.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "install_fixture.h"
#include "winemu/ui/script_driver.h"
#include "winemu/winspool/spooler_store.h"
#include "wizard_fixture.h"

namespace {

using k7x::test::InstallTest;
using k7x::test::ProgramRunTest;
namespace spooler = winemu::spooler;

constexpr const char* kVersionDir = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\3\\";
constexpr const char* kSuccess = "The Printer Driver has been installed successfully!";

class SafetyEngineTest : public InstallTest {
 protected:
  void On(std::vector<std::string> printers, const std::string& printerName = "K7X") {
    winemu::CreateOptions options;
    options.printers = std::move(printers);
    UseMachine(options, 7);
    std::snprintf(g_PrinterName, sizeof g_PrinterName, "%s", printerName.c_str());
  }
  void Run() {
    winemu::ui::ScriptDriver script;
    script.Answer();
    Install();
    EXPECT_EQ(script.Remaining(), 0u);
    machine().ProgramExited();  // the default-printer command runs on after the program
  }
  // How many deletions of the file `path` (letter case aside) the trace shows.
  size_t Deletions(const std::string& path) const {
    size_t n = 0;
    for (const std::string& line : TraceLines("file.delete"))
      if (lstrcmpiA(line.substr(0, line.find(" -> ")).c_str(), ("file.delete " + path).c_str()) == 0) ++n;
    return n;
  }
  bool Succeeded() const {
    auto boxes = MessageBoxes();
    return !boxes.empty() && boxes.back().find(kSuccess) != std::string::npos;
  }
};

TEST_F(SafetyEngineTest, PlantedUtilitiesNextToTheProgramAndInTempAreNeverRun) {
  On({});
  WriteFile("C:\\Setup\\rundll32.exe", "planted");
  WriteFile("C:\\TEMP\\rundll32.exe", "planted");
  Run();
  EXPECT_TRUE(Succeeded());
  EXPECT_EQ(spooler::DefaultPrinter(), "K7X");
  std::vector<std::string> created = TraceLines("process.create");
  ASSERT_EQ(created.size(), 2u);
  for (const std::string& line : created)
    EXPECT_NE(line.find(" image=C:\\WINDOWS\\system32\\rundll32.exe -> ok"), std::string::npos) << line;
  // Argument 0 stays as the commands have always read.
  EXPECT_EQ(created[1].rfind("process.create rundll32 printui.dll,PrintUIEntry /y /n \"K7X\" image=", 0), 0u);
}

TEST_F(SafetyEngineTest, ThePrinterSpoolerLibraryComesFromTheSystemDirectoryOnly) {
  On({"Receipt"});
  WriteFile("C:\\Setup\\winspool.drv", "planted");
  WriteFile("C:\\TEMP\\winspool.drv", "planted");
  Run();
  EXPECT_TRUE(Succeeded());
  std::vector<std::string> loads = TraceLines("module.load");
  ASSERT_FALSE(loads.empty());
  for (const std::string& line : loads)
    EXPECT_EQ(line, "module.load C:\\WINDOWS\\system32\\winspool.drv image=C:\\WINDOWS\\system32\\winspool.drv -> ok");
}

TEST_F(SafetyEngineTest, ANameLikeAnotherDriversFilesKeepsThemInTheDriverDirectory) {
  On({"Receipt"}, "TTY");
  Run();
  for (const char* file : {"TTY.GPD", "TTY.INI", "TTYRES.DLL"}) {
    EXPECT_EQ(ReadFile(std::string(kVersionDir) + file), std::string("system file ") + file + "\r\n") << file;
    EXPECT_EQ(Deletions(std::string(kVersionDir) + file), 0u) << file;
  }
  EXPECT_EQ(Deletions(std::string(kVersionDir) + "TTYD.dll"), 1u);  // a file of the name's own
}

TEST_F(SafetyEngineTest, ANameLikeTheUnidrvCoreNeverDeletesTheCoreAfterAK7xInstallation) {
  On({"Receipt"});
  Run();
  ASSERT_TRUE(Succeeded());
  ASSERT_TRUE(Exists(std::string(kVersionDir) + "UNIRES.DLL"));
  // A second run under the name UNI (start-up refuses it; the removal must not depend on that).
  std::snprintf(g_PrinterName, sizeof g_PrinterName, "UNI");
  MSG quit;
  while (PeekMessageA(&quit, nullptr, 0, 0, PM_REMOVE)) {}  // the first run's quit request
  Run();
  EXPECT_TRUE(Succeeded());
  EXPECT_EQ(Deletions(std::string(kVersionDir) + "UNIRES.DLL"), 0u);
  EXPECT_EQ(Deletions("C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\UNIRES.DLL"), 0u);
  EXPECT_GE(Deletions("C:\\TEMP\\UNIRES.DLL"), 1u);  // its own staged copy goes
}

TEST_F(SafetyEngineTest, AHundredAndFiftyCharacterNameHasEveryFileAndTheUninstallEntryUnderIt) {
  std::string name(150, 'P');
  On({"Receipt"}, name);
  Run();
  for (const char* file : {".GPD", ".INI", "RES.DLL", "D.dll", "F.dll"})
    EXPECT_TRUE(Exists("C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\" + name + file)) << file;
  EXPECT_TRUE(Exists("C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstall" + name + ".exe"));
  HKEY key = nullptr;
  std::string entry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name + " printer";
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, entry.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

class SafetyWizardTest : public ProgramRunTest {
 protected:
  // Every file of the machine's registry and of C:\WINDOWS with its bytes.
  std::string Snapshot() const {
    std::ostringstream out;
    for (const auto& root : {dir() / "registry", Host("C:\\WINDOWS")})
      for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        out << e.path().string() << "\n";
        if (e.is_regular_file()) out << std::ifstream(e.path(), std::ios::binary).rdbuf() << "\n";
      }
    return out.str();
  }
};

TEST_F(SafetyWizardTest, AUserWithoutAdministratorRightsIsToldAndNothingOfTheMachineChanges) {
  for (auto [major, minor] : {std::pair{5, 1}, {6, 1}}) {
    winemu::CreateOptions o;
    o.major = major;
    o.minor = minor;
    o.admin = false;
    o.printers = {"Receipt K7X"};
    MakeMachine(o);
    std::string before = Snapshot();
    winemu::ui::ScriptDriver script;
    script.Answer();
    RunProgram();
    EXPECT_EQ(script.Remaining(), 0u);
    EXPECT_EQ(MessageBoxCount(), 1);
    EXPECT_EQ(MessageBoxText().rfind("Setup needs administrator rights", 0), 0u) << MessageBoxText();
    EXPECT_EQ(Snapshot(), before);
  }
}

TEST_F(SafetyWizardTest, AfterAK7xInstallationTheNameUniIsRefusedAndTheCoreStays) {
  winemu::CreateOptions o;
  o.printers = {"Receipt"};
  MakeMachine(o);
  {
    winemu::ui::ScriptDriver script;
    script.Click(IDC_WIZ_NEXT).Click(IDC_WIZ_NEXT).Select(IDC_SERIES_LIST, 0).Click(IDC_WIZ_NEXT).Wait(500).Answer();
    RunProgram();
  }
  std::string unires = ReadFile(std::string(kVersionDir) + "UNIRES.DLL");
  ASSERT_FALSE(unires.empty());
  WriteFile("C:\\Setup\\setting.dll", "[Setting]\r\nLanguage=English\r\nPrinterName=UNI\r\n");
  winemu::ui::ScriptDriver script;
  script.Answer();
  RunProgram();
  EXPECT_EQ(script.Remaining(), 0u);
  EXPECT_NE(MessageBoxText().find("its driver file UNIRES.dll would replace a file of the Unidrv core"), std::string::npos);
  EXPECT_TRUE(ReadFile(std::string(kVersionDir) + "UNIRES.DLL") == unires) << "UNIRES.DLL changed";
}

TEST_F(SafetyWizardTest, TheErrorBoxIsOwnedByTheWizardAndNoSecondRunStartsBehindIt) {
  winemu::CreateOptions o;
  o.printers = {"Receipt"};
  o.faults = {{"enum_printers_fails", ""}};
  MakeMachine(o);
  winemu::ui::ScriptDriver script;
  bool frameEnabled = true;
  size_t traceBefore = 0, traceAfter = 0;
  script.Click(IDC_WIZ_NEXT).Click(IDC_WIZ_NEXT).Select(IDC_SERIES_LIST, 0).Click(IDC_WIZ_NEXT).Wait(500);
  script.Then([&] {
    HWND frame = AfxGetApp()->m_pMainWnd->m_hWnd;
    frameEnabled = IsWindowEnabled(frame) != FALSE;
    // Whatever path leads there, the engine does not start inside its own run.
    traceBefore = TraceLines().size();
    CWizardInstallHost host(theApp, frame);
    EXPECT_EQ(theApp.InstallPrinterDriver(host), InstallOutcome::AlreadyRunning);
    traceAfter = TraceLines().size();
  });
  script.Answer().Click(IDC_WIZ_CANCEL);  // the run ends silently (no printer list); Cancel ends the wizard
  RunProgram();
  EXPECT_EQ(script.Remaining(), 0u);
  std::vector<std::string> boxes = TraceLines("msgbox");
  ASSERT_FALSE(boxes.empty());
  EXPECT_NE(boxes[0].find("caption=\"ERROR\""), std::string::npos) << boxes[0];
  EXPECT_EQ(boxes[0].find("owner=none"), std::string::npos) << boxes[0];
  EXPECT_FALSE(frameEnabled);
  EXPECT_EQ(traceAfter, traceBefore);
}

}  // namespace
