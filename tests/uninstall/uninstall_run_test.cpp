// Whole runs of the uninstaller's WinMain in process, on machines holding an installation that the
// test lays out as setup leaves it: printers using the driver K7X, the driver, its files in D and
// D\3, an OEM copy of its INF, the uninstall entry and the uninstaller in D.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "support/machine_fixture.h"
#include "sys/SingleRun.h"
#include "winemu/advapi32/registry.h"
#include "winemu/advapi32/services.h"
#include "winemu/machine/codepage.h"
#include "winemu/ui/answer_boxes.h"
#include "winemu/winspool/spooler_store.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

namespace {

namespace spooler = winemu::spooler;

const std::string kD = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86";
const std::string kEntries = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::vector<std::string> kCoreFiles = {"STDNAMES.GPD", "UNIDRV.DLL", "UNIDRV.HLP", "UNIDRVUI.DLL",
                                             "UNIRES.DLL"};

class UninstallRun : public k7x::test::MachineTest {
 protected:
  // What an installation for the printer name `n` leaves, with the uninstaller at `program`.
  void Install(const std::string& n = "K7X") {
    program_ = kD + "\\uninstall" + n + ".exe";
    spooler::DriverRecord driver;
    driver.name = "K7X";
    driver.driverPath = "UNIDRV.DLL";
    driver.dataFile = n + ".GPD";
    driver.configFile = "UNIDRVUI.DLL";
    driver.helpFile = "UNIDRV.HLP";
    driver.dependentFiles = {n + ".INI", n + "D.dll", n + "F.dll", n + "RES.dll", "ZIKU.UFM", "STDNAMES.GPD",
                             "UNIRES.DLL"};
    spooler::AddDriver(driver);
    for (const std::string& name : {std::string("K7X"), std::string("K7X (Copy 2)")}) {
      spooler::PrinterRecord printer;
      printer.name = name;
      printer.driver = "K7X";
      printer.port = "LPT1:";
      spooler::AddPrinter(printer);
    }
    spooler::SetDefaultPrinter("K7X");
    for (const std::string& dir : {kD, kD + "\\3"}) {
      for (const std::string& file : OwnFiles(n)) WriteFile(dir + "\\" + file, file);
      for (const std::string& file : kCoreFiles) WriteFile(dir + "\\" + file, "core " + file);
    }
    WriteFile(program_, "MZ uninstaller");
    WriteFile("C:\\WINDOWS\\inf\\oem3.inf", "[Version]\r\nClass=Printer\r\n[Manufacturer]\r\n\"K7X\"=Driver_K7X\r\n");
    WriteFile("C:\\WINDOWS\\inf\\oem3.pnf", "PNF");
    WriteFile("C:\\WINDOWS\\inf\\oem4.inf", "[Version]\r\nClass=Printer\r\n[Manufacturer]\r\n\"Other\"=Other\r\n");
    Entry(n + " printer", program_);
    Entry("Other software", "C:\\Other\\remove.exe");
    machine().Config().program = program_;
    machine().ClearTrace();
  }

  static std::vector<std::string> OwnFiles(const std::string& n) {
    return {n + ".GPD", n + ".INI", n + "RES.dll", n + "D.dll", n + "F.dll", "ZIKU.UFM"};
  }

  void Entry(const std::string& name, const std::string& command) {
    auto& key = winemu::reg::MachineRegistry().Create(winemu::reg::Root::LocalMachine,
                                                       *winemu::reg::SplitKeyPath(kEntries + "\\" + name));
    key.SetValue("UninstallString", REG_SZ, command);
    winemu::reg::MachineRegistry().Save(winemu::reg::Root::LocalMachine);
  }

  std::vector<std::string> Entries() { return winemu::reg::MachineRegistry().SubkeyNames(winemu::reg::Root::LocalMachine, *winemu::reg::SplitKeyPath(kEntries)); }

  std::string PendingOperations() {
    auto* key = winemu::reg::MachineRegistry().Find(
        winemu::reg::Root::LocalMachine, *winemu::reg::SplitKeyPath("SYSTEM\\ControlSet001\\Control\\Session Manager"));
    const winemu::reg::Value* value = key ? key->FindValue("PendingFileRenameOperations") : nullptr;
    return value ? value->data : "";
  }

  // Runs WinMain, answering its message boxes with `buttons` in order.
  int Run(std::vector<int> buttons) {
    winemu::ui::MessageBoxAnswers answers(std::move(buttons));
    char commandLine[1] = {0};
    return WinMain(nullptr, nullptr, commandLine, 1);
  }

  std::vector<std::string> Effects() {
    std::vector<std::string> effects;
    for (const std::string& line : TraceLines())
      if (line.rfind("msgbox", 0) != 0 && line.find(" -> ok") != std::string::npos &&
          line.rfind("spooler.enum", 0) != 0 && line.rfind("spooler.driverdir", 0) != 0 &&
          line.rfind("spooler.openprinter", 0) != 0 && line.rfind("spooler.closeprinter", 0) != 0 &&
          line.rfind("service.open", 0) != 0 && line.rfind("service.query", 0) != 0 &&
          line.rfind("module.load", 0) != 0)
        effects.push_back(line);
    return effects;
  }

  long Index(const std::string& prefix) {
    auto lines = TraceLines();
    auto it = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    return it == lines.end() ? -1 : static_cast<long>(it - lines.begin());
  }

  std::string program_;
};

TEST_F(UninstallRun, ConfirmedItRemovesTheInstallationAndNothingElse) {
  winemu::CreateOptions options;
  options.printers = {"Text"};
  MakeMachine(options);
  WriteFile(kD + "\\3\\TTY.GPD", "generic text");
  Install();

  EXPECT_EQ(Run({IDYES, IDOK}), 0);

  std::vector<std::string> boxes = TraceLines("msgbox");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], "msgbox owner=none style=0x00000024 caption=\"K7X printer driver uninstall\" text=\"Remove the "
                      "K7X printer driver, the printers that use it and its files from this computer?\"");
  EXPECT_EQ(boxes[1], "msgbox owner=none style=0x00000040 caption=\"K7X printer driver uninstall\" text=\"The K7X "
                      "printer driver has been removed.\"");

  std::vector<std::string> printers;
  for (const auto& p : spooler::Printers()) printers.push_back(p.name + "/" + p.driver);
  EXPECT_EQ(printers, std::vector<std::string>{"Text/Generic / Text Only"});
  EXPECT_EQ(spooler::DefaultPrinter(), "Text");
  EXPECT_FALSE(spooler::FindDriver("K7X"));
  EXPECT_TRUE(spooler::FindDriver("Generic / Text Only"));
  for (const std::string& dir : {kD, kD + "\\3"}) {
    for (const std::string& file : OwnFiles("K7X")) EXPECT_FALSE(Exists(dir + "\\" + file)) << dir << " " << file;
    for (const std::string& file : kCoreFiles) EXPECT_EQ(ReadFile(dir + "\\" + file), "core " + file) << dir;
  }
  EXPECT_EQ(ReadFile(kD + "\\3\\TTY.GPD"), "generic text");
  EXPECT_FALSE(Exists("C:\\WINDOWS\\inf\\oem3.inf"));
  EXPECT_FALSE(Exists("C:\\WINDOWS\\inf\\oem3.pnf"));
  EXPECT_TRUE(Exists("C:\\WINDOWS\\inf\\oem4.inf"));
  EXPECT_EQ(Entries(), std::vector<std::string>{"Other software"});
  // The running program's file goes at the next start of Windows, as Windows records it.
  EXPECT_TRUE(Exists(program_));
  EXPECT_EQ(PendingOperations(), "\\??\\" + program_ + std::string("\0\0\0", 3));

  // Printers before their driver, the driver before its files, the entry and the program last.
  EXPECT_LT(Index("spooler.deleteprinter K7X (Copy 2) -> ok"), Index("spooler.deletedriver K7X"));
  EXPECT_LT(Index("spooler.deleteprinter K7X -> ok"), Index("spooler.deletedriver K7X"));
  EXPECT_LT(Index("spooler.deletedriver K7X env=\"Windows NT x86\" -> ok"), Index("file.delete " + kD + "\\K7X.GPD"));
  EXPECT_LT(Index("file.delete " + kD + "\\3\\ZIKU.UFM -> ok"), Index("file.delete C:\\WINDOWS\\inf\\oem3.inf -> ok"));
  EXPECT_LT(Index("file.delete C:\\WINDOWS\\inf\\oem3.pnf -> ok"), Index("reg.deletekey"));
  EXPECT_LT(Index("reg.deletekey"), Index("file.delayedmove " + program_ + " -> (delete) -> ok"));
  EXPECT_LT(Index("file.delayedmove"), Index("msgbox owner=none style=0x00000040"));
  // The spooler keeps running.
  EXPECT_EQ(Index("service.st"), -1);
}

TEST_F(UninstallRun, CancellingChangesNothing) {
  Install();
  EXPECT_EQ(Run({IDNO}), 2);
  EXPECT_EQ(TraceLines("msgbox").size(), 1u);
  EXPECT_EQ(Effects(), std::vector<std::string>{});
  EXPECT_EQ(spooler::Printers().size(), 2u);
  EXPECT_TRUE(spooler::FindDriver("K7X"));
  EXPECT_TRUE(Exists(kD + "\\3\\K7X.GPD"));
  EXPECT_TRUE(Exists("C:\\WINDOWS\\inf\\oem3.inf"));
  EXPECT_EQ(Entries().size(), 2u);
  EXPECT_EQ(PendingOperations(), "");
}

TEST_F(UninstallRun, WhatCannotBeRemovedStopsItAndKeepsTheEntryForAnotherRun) {
  Install();
  // The spooler is stopped and cannot be started: neither printers nor driver can go, so nothing does.
  ASSERT_EQ(winemu::svc::Services().Stop(), 0u);
  machine().Config().faults["start_refused"] = "";
  EXPECT_EQ(Run({IDYES, IDOK}), 1);
  std::vector<std::string> boxes = TraceLines("msgbox");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1], "msgbox owner=none style=0x00000030 caption=\"K7X printer driver uninstall\" text=\"The K7X "
                      "printer driver could not be removed completely. Restart Windows and run the uninstaller "
                      "again.\"");
  EXPECT_EQ(Effects(), std::vector<std::string>{});
  EXPECT_TRUE(Exists(kD + "\\3\\K7X.GPD"));
  EXPECT_EQ(Entries().size(), 2u);
  EXPECT_EQ(PendingOperations(), "");
}

TEST_F(UninstallRun, TheNameInItsFileNamesTheFilesAndTheEntryAndAChineseSystemIsAskedInChinese) {
  winemu::CreateOptions options;
  options.langId = 0x0804;
  MakeMachine(options);
  Install("Receipt");
  EXPECT_EQ(Run({IDYES, IDOK}), 0);
  std::vector<std::string> boxes = TraceLines("msgbox");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[0].find("caption=\"Receipt 打印机驱动程序卸载\" text=\"是否从本机删除 Receipt 打印机驱动程序"),
            std::string::npos)
      << boxes[0];
  EXPECT_NE(boxes[1].find("text=\"Receipt 打印机驱动程序已删除。\""), std::string::npos) << boxes[1];
  for (const std::string& dir : {kD, kD + "\\3"})
    for (const std::string& file : OwnFiles("Receipt")) EXPECT_FALSE(Exists(dir + "\\" + file)) << file;
  EXPECT_EQ(Entries(), std::vector<std::string>{"Other software"});
}

TEST_F(UninstallRun, ALimitedUserIsToldAboutRightsAndNothingChanges) {
  MakeMachine(5, 1, false);
  Install();
  EXPECT_EQ(Run({IDOK}), 3);
  std::vector<std::string> boxes = TraceLines("msgbox");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("style=0x00000010 caption=\"K7X printer driver uninstall\" text=\"Setup needs administrator "
                          "rights"),
            std::string::npos)
      << boxes[0];
  EXPECT_EQ(Effects(), std::vector<std::string>{});
  EXPECT_EQ(spooler::Printers().size(), 2u);
  EXPECT_EQ(Entries().size(), 2u);
}

TEST_F(UninstallRun, FilesAnotherDriverNamesStay) {
  Install();
  spooler::DriverRecord other;
  other.name = "Other Receipt";
  other.driverPath = "UNIDRV.DLL";
  other.dataFile = "OTHER.GPD";
  other.configFile = "UNIDRVUI.DLL";
  other.dependentFiles = {"ZIKU.UFM", "K7XD.dll"};
  spooler::AddDriver(other);
  EXPECT_EQ(Run({IDYES, IDOK}), 0);
  for (const std::string& dir : {kD, kD + "\\3"}) {
    EXPECT_EQ(ReadFile(dir + "\\ZIKU.UFM"), "ZIKU.UFM") << dir;
    EXPECT_EQ(ReadFile(dir + "\\K7XD.dll"), "K7XD.dll") << dir;
    EXPECT_FALSE(Exists(dir + "\\K7XF.dll")) << dir;
  }
  EXPECT_TRUE(spooler::FindDriver("Other Receipt"));
  EXPECT_EQ(Entries(), std::vector<std::string>{"Other software"});
}

TEST_F(UninstallRun, UnderAnotherFileNameItOnlySaysHowItMustBeNamed) {
  Install();
  machine().Config().program = "C:\\Setup\\setup.exe";
  EXPECT_EQ(Run({IDOK}), 4);
  EXPECT_EQ(TraceLines("msgbox"), std::vector<std::string>{"msgbox owner=none style=0x00000010 caption=\"uninstall\" "
                                                           "text=\"This uninstaller must be named uninstall<printer "
                                                           "name>.exe.\""});
  EXPECT_EQ(Effects(), std::vector<std::string>{});
}

TEST_F(UninstallRun, WhileAnotherRunHoldsTheMutexItSaysSoAndChangesNothing) {
  winemu::CreateOptions options;
  options.faults = {{"held_mutex", kSingleRunMutexName}};
  MakeMachine(options);
  Install();
  EXPECT_EQ(Run({IDOK}), 1618);
  std::vector<std::string> boxes = TraceLines("msgbox");
  ASSERT_EQ(boxes.size(), 1u);
  std::string firstLine = AnotherRunText(TextLanguage::English);
  EXPECT_NE(boxes[0].find(firstLine.substr(0, firstLine.find('\n'))), std::string::npos) << boxes[0];
  EXPECT_EQ(Effects(), std::vector<std::string>{});
}

TEST_F(UninstallRun, OnA64BitWindowsItRemovesAndAStoppedSpoolerIsStartedFirst) {
  winemu::CreateOptions options;
  options.x64 = true;
  options.faults = {{"spooler_stopped", ""}};
  MakeMachine(options);
  Install();
  EXPECT_EQ(Run({IDYES, IDOK}), 0);
  EXPECT_TRUE(spooler::Printers().empty());
  std::vector<std::string> requests = TraceLines("service.st");
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests[0].rfind("service.start", 0), 0u) << requests[0];
}

}  // namespace
