// Whole runs of the Linux program through "winemu run": a fresh default machine (XP, English) ends
// with the printer installed and default; a second run removes what it can and installs again.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <windows.h>

#include "support/machine_fixture.h"
#include "support/wizard_walk.h"
#include "winemu/machine/machine.h"
#include "winemu/winspool/spooler_store.h"

namespace {

namespace fs = std::filesystem;
using k7x::test::ReadHostFile;
using k7x::test::RunCommand;
using k7x::test::TempDir;

std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.is_regular_file()) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

void AddKeysBelow(const std::string& root, const std::string& relative, std::vector<std::string>& keys) {
  HKEY key = nullptr;
  std::string path = relative.empty() ? root : root + "\\" + relative;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  char name[256];
  DWORD size = sizeof name;
  for (DWORD i = 0; RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i, size = sizeof name) {
    std::string child = relative.empty() ? name : relative + "\\" + name;
    keys.push_back(child);
    AddKeysBelow(root, child, keys);
  }
  RegCloseKey(key);
}

class InstallRun : public ::testing::Test {
 protected:
  void SetUp() override {
    machine_ = tmp_.path() / "machine";
    script_ = tmp_.path() / "walk.txt";
    std::ofstream(script_) << k7x::test::WizardWalkScript();
    ASSERT_EQ(RunCommand(std::string(WINEMU_COMMAND) + " create " + machine_.string()).code, 0);
  }
  // One run of the program; the trace lines without their times.
  std::vector<std::string> Run() {
    EXPECT_EQ(RunCommand(std::string(WINEMU_COMMAND) + " run " + machine_.string() + " " + K7X_SETUP_PROGRAM +
                    " --script " + script_.string()).code,
              0);
    std::vector<std::string> lines;
    std::istringstream in(ReadHostFile(machine_ / "trace.log"));
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(line.find(' ') + 1));
    return lines;
  }
  fs::path C(const std::string& relative) const { return machine_ / "drive_c" / relative; }
  // The printers of the machine (name, port) and the default one, read from its registry.
  std::pair<std::vector<std::pair<std::string, std::string>>, std::string> Printers() {
    auto previous = winemu::Machine::Use(winemu::Machine::Open(machine_));
    std::vector<std::pair<std::string, std::string>> printers;
    for (const auto& p : winemu::spooler::Printers()) printers.emplace_back(p.name, p.port);
    std::string def = winemu::spooler::DefaultPrinter().value_or("");
    winemu::Machine::Use(std::move(previous));
    return {printers, def};
  }

  // Every key below HKLM\`path` of the machine, as paths relative to it.
  std::vector<std::string> KeysBelow(const std::string& path) {
    auto previous = winemu::Machine::Use(winemu::Machine::Open(machine_));
    std::vector<std::string> keys;
    AddKeysBelow(path, "", keys);
    winemu::Machine::Use(std::move(previous));
    return keys;
  }

  TempDir tmp_;
  fs::path machine_;
  fs::path script_;
};

// Each milestone is found after the one before it.
void ExpectInOrder(const std::vector<std::string>& trace, const std::vector<std::string>& milestones) {
  size_t at = 0;
  for (const std::string& m : milestones) {
    while (at < trace.size() && trace[at].rfind(m, 0) != 0) ++at;
    ASSERT_LT(at, trace.size()) << "missing, or out of order: " << m;
    ++at;
  }
}

const std::string kDriverDir = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86";

TEST_F(InstallRun, AFreshEnglishXpMachineEndsWithTheDefaultPrinterK7X) {
  std::vector<std::string> trace = Run();
  ExpectInOrder(trace, {
                           "process.start C:\\Setup\\setup.exe",
                           // sweep, removal, staging directories
                           "dir.remove C:\\TEMP\\I386 -> error 3",
                           "dir.remove C:\\TEMP -> error 2",
                           "dir.create C:\\TEMP -> ok",
                           "dir.create C:\\TEMP\\I386 -> ok",
                           "dir.create C:\\TEMP\\x86 -> ok",
                           // driver directory, earlier copies
                           "spooler.driverdir env=\"Windows NT x86\" level=1 size=260",
                           "file.delete C:\\TEMP\\STDNAMES.GPD -> error 2",
                           "file.delete " + kDriverDir + "\\3\\K7X.GPD -> error 2",
                           "file.delete " + kDriverDir + "\\3\\K7XRES.dll -> error 2",
                           // uninstaller and INF
                           "file.create C:\\TEMP\\uninstallK7X.exe -> ok",
                           "file.create C:\\TEMP\\K7X.INF -> ok",
                           "file.copy C:\\TEMP\\uninstallK7X.exe " + kDriverDir + "\\uninstallK7X.exe -> ok",
                           // the XP set with the English core and plug-ins
                           "file.create C:\\TEMP\\STDNAMES.GPD -> ok",
                           "file.write C:\\TEMP\\temp.txt 16605 -> ok",
                           "file.create C:\\TEMP\\K7X.GPD -> ok",
                           "file.create C:\\TEMP\\K7X.INI -> ok",
                           "file.create C:\\TEMP\\x86\\K7XD.dll -> ok",
                           "file.write C:\\TEMP\\UNIDRV.DLL 251904 -> ok",
                           "file.write C:\\TEMP\\x86\\K7XRES.DLL 5120 -> ok",
                           // the copy list
                           "file.copy C:\\TEMP\\UNIDRV.DLL " + kDriverDir + "\\UNIDRV.DLL -> ok",
                           "file.copy C:\\TEMP\\K7XF.dll " + kDriverDir + "\\K7XF.dll -> ok",
                           // the printer setup utility
                           "dir.current C:\\TEMP -> ok",
                           "process.create rundll32 printui.dll,PrintUIEntry /if /f C:\\TEMP\\K7X.INF /r \"LPT1:\" "
                           "/b \"K7X\" /m \"K7X\"  image=C:\\WINDOWS\\system32\\rundll32.exe -> ok",
                           "printui.start /if /f C:\\TEMP\\K7X.INF",
                           "printui.install from C:\\TEMP\\K7X.INF model \"K7X\" printer \"K7X\" port \"LPT1:\"",
                           "spooler.adddriver K7X -> ok",
                           "spooler.addprinter K7X driver=\"K7X\" port=LPT1: -> ok",
                           "file.copy C:\\TEMP\\K7X.INF C:\\WINDOWS\\inf\\oem0.inf -> ok",
                           "printui.install done: printer \"K7X\"",
                           "process.wait ",
                           "sleep 100",
                           "spooler.enumprinters flags=2 level=2 size=0",
                           "spooler.enumprinters flags=2 level=2 size=",
                           "process.create rundll32 printui.dll,PrintUIEntry /y /n \"K7X\" image=C:\\WINDOWS\\system32\\rundll32.exe -> ok",
                           "msgbox ",
                           "dir.remove C:\\TEMP\\I386 -> error 145",
                           "dir.remove C:\\TEMP -> error",
                           "process.exit 0",
                           // the default-printer command, not waited for, finishes after the program
                           "printui.setdefault \"K7X\"",
                       });
  std::string box;
  for (const auto& line : trace)
    if (line.rfind("msgbox ", 0) == 0) box = line;
  // The Unidrv core in the driver directory is never deleted, only overwritten by the copy.
  for (const std::string& line : trace)
    for (const char* core : {"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIRES.DLL", "UNIDRV.HLP", "STDNAMES.GPD"})
      EXPECT_EQ(line.find("file.delete " + kDriverDir + "\\" + core), std::string::npos) << line;
  EXPECT_NE(box.find("style=0x00000030 caption=\"setup\" text=\"The Printer Driver has been installed successfully!\""),
            std::string::npos)
      << box;

  auto [printers, def] = Printers();
  EXPECT_EQ(printers, (std::vector<std::pair<std::string, std::string>>{{"K7X", "LPT1:"}}));
  EXPECT_EQ(def, "K7X");

  EXPECT_EQ(Names(C("TEMP")), (std::vector<std::string>{"K7X.GPD", "K7X.INF", "K7X.INI", "K7XD.dll", "K7XF.dll",
                                                        "K7XRES.DLL", "STDNAMES.GPD", "UNIDRV.DLL", "UNIDRV.HLP",
                                                        "UNIDRVUI.DLL", "UNIRES.DLL", "ZIKU.UFM", "temp.txt",
                                                        "uninstallK7X.exe"}));
  std::vector<std::string> plugins = {"K7XD.dll", "K7XF.dll", "K7XRES.DLL"};
  EXPECT_EQ(Names(C("TEMP/I386")), plugins);
  EXPECT_EQ(Names(C("TEMP/x86")), plugins);
  EXPECT_EQ(fs::file_size(C("TEMP/K7X.GPD")), 15643u);
  std::string payload = std::string(K7X_BUILD_DIR) + "/payload/";
  for (const char* dir : {"TEMP", "TEMP/I386", "TEMP/x86"}) {
    EXPECT_EQ(ReadHostFile(C(std::string(dir) + "/K7XF.dll")), ReadHostFile(payload + "K7XF_en.DLL")) << dir;
    EXPECT_EQ(ReadHostFile(C(std::string(dir) + "/K7XRES.DLL")), ReadHostFile(payload + "K7XRES_en.DLL")) << dir;
  }
  EXPECT_EQ(ReadHostFile(C("TEMP/UNIDRV.DLL")), ReadHostFile(payload + "UNIDRV_en_2600.DLL"));
  EXPECT_EQ(ReadHostFile(C("TEMP/UNIRES.DLL")), ReadHostFile(payload + "UNIRES_en_2600.DLL"));

  fs::path d = C("WINDOWS/system32/spool/drivers/w32x86");
  EXPECT_EQ(Names(d), (std::vector<std::string>{"K7X.GPD", "K7X.INI", "K7XD.dll", "K7XF.dll", "K7XRES.DLL",
                                                "STDNAMES.GPD", "UNIDRV.DLL", "UNIDRV.HLP", "UNIDRVUI.DLL",
                                                "UNIRES.DLL", "ZIKU.UFM", "uninstallK7X.exe"}));
  EXPECT_EQ(Names(d / "3").size(), 11u);
  EXPECT_EQ(ReadHostFile(d / "3" / "K7X.GPD"), ReadHostFile(C("TEMP/K7X.GPD")));
  EXPECT_EQ(ReadHostFile(C("WINDOWS/inf/oem0.inf")), ReadHostFile(C("TEMP/K7X.INF")));
}

// The removal deletes the printer's and the driver's keys with what is below them, so the utility
// installs K7X again under its own name and the spooler's keys are as after the first run.
TEST_F(InstallRun, ASecondRunRemovesTheFirstInstallationAndInstallsAgain) {
  const std::string print = "SYSTEM\\CurrentControlSet\\Control\\Print";
  const std::string printersKey = print + "\\Printers", driversKey = print + "\\Environments\\Windows NT x86\\Drivers";
  Run();
  std::vector<std::string> printersAfterFirst = KeysBelow(printersKey), driversAfterFirst = KeysBelow(driversKey);
  std::vector<std::string> trace = Run();
  const std::string printerKey = "reg.deletekey HKLM\\SYSTEM\\ControlSet001\\Control\\Print\\Printers\\K7X";
  ExpectInOrder(trace, {
                           "file.delete " + kDriverDir + "\\K7X.GPD -> ok",  // the removal's old files
                           "file.delete C:\\WINDOWS\\inf\\oem0.inf -> ok",
                           "file.delete C:\\WINDOWS\\inf\\oem0.pnf -> ok",
                           "service.stop Spooler",
                           printerKey + "\\DsSpooler -> ok",
                           printerKey + "\\PrinterDriverData -> ok",
                           printerKey + " -> ok",
                           "reg.deletekey HKLM\\" + driversKey + "\\Version-3\\K7X -> ok",
                           "service.start Spooler",
                           "printui.install from C:\\TEMP\\K7X.INF",
                           "spooler.addprinter K7X driver=\"K7X\" port=LPT1: -> ok",
                           "file.copy C:\\TEMP\\K7X.INF C:\\WINDOWS\\inf\\oem0.inf -> ok",
                           "msgbox ",
                           "process.exit 0",
                           "printui.setdefault \"K7X\"",
                       });
  auto [printers, def] = Printers();
  EXPECT_EQ(printers, (std::vector<std::pair<std::string, std::string>>{{"K7X", "LPT1:"}}));
  EXPECT_EQ(def, "K7X");
  EXPECT_EQ(printersAfterFirst, (std::vector<std::string>{"K7X", "K7X\\DsSpooler", "K7X\\PrinterDriverData"}));
  EXPECT_EQ(KeysBelow(printersKey), printersAfterFirst);
  EXPECT_EQ(KeysBelow(driversKey), driversAfterFirst);
  EXPECT_EQ(Names(C("WINDOWS/inf")), (std::vector<std::string>{"oem0.inf", "oem0.pnf"}));
}

TEST_F(InstallRun, TheRunClosesWithTheResultMessageAndTheUninstallKeyRoundTripsThroughARegFile) {
  const std::string winemu = WINEMU_COMMAND;
  auto r = k7x::test::RunCommand(winemu + " run " + machine_.string() + " " + K7X_SETUP_PROGRAM + " --script " +
                                 script_.string());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.substr(r.out.rfind("winemu: ")),
            "winemu: the program ended with the message \"The Printer Driver has been installed successfully!\" (exit "
            "code 0)\n");
  const std::string key = "'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall'";
  fs::path file = tmp_.path() / "uninstall.reg";
  fs::path fresh = tmp_.path() / "fresh";
  ASSERT_EQ(RunCommand(winemu + " reg export " + machine_.string() + " " + key + " " + file.string()).code, 0);
  EXPECT_EQ(ReadHostFile(file).substr(0, 2), "\xFF\xFE");
  ASSERT_EQ(RunCommand(winemu + " create " + fresh.string()).code, 0);
  ASSERT_EQ(RunCommand(winemu + " reg import " + fresh.string() + " " + file.string()).code, 0);
  auto show = [&](const fs::path& m) {
    auto shown = k7x::test::RunCommand(winemu + " reg " + m.string() + " " + key + " --recursive");
    EXPECT_EQ(shown.code, 0) << shown.err;
    return shown.out;
  };
  std::string installed = show(machine_);
  EXPECT_NE(installed.find("Uninstall\\"), std::string::npos) << installed;
  EXPECT_NE(installed.find(" REG_SZ "), std::string::npos);
  EXPECT_EQ(show(fresh), installed);
}

TEST_F(InstallRun, ACancelledRunClosesSayingSoAndTheTraceTellsIt) {
  std::ofstream(script_, std::ios::trunc) << "click " << IDC_WIZ_NEXT << "\nclick " << IDC_WIZ_CANCEL << "\n";
  auto r = k7x::test::RunCommand(std::string(WINEMU_COMMAND) + " run " + machine_.string() + " " + K7X_SETUP_PROGRAM +
                                 " --script " + script_.string());
  EXPECT_EQ(r.out.substr(r.out.rfind("winemu: ")), "winemu: the program was cancelled (exit code 0)\n");
  auto outcome = k7x::test::RunCommand(std::string(WINEMU_COMMAND) + " trace " + machine_.string() + " --outcome");
  EXPECT_EQ(outcome.out, "was cancelled\n");
}

}  // namespace
