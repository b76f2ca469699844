// Whole installation runs of InstallPrinterDriver on emulated machines: outcome, messages, failure
// paths and the early silent end.
#include <windows.h>

#include "install/ResultMessage.h"
#include "payload/PayloadIds.h"
#include "install_fixture.h"
#include "shared/SetupApp.h"
#include "shared/globals.h"
#include "winemu/machine/codepage.h"
#include "winemu/ui/script_driver.h"
#include "winemu/winspool/spooler_store.h"

namespace {

using k7x::test::InstallTest;
namespace spooler = winemu::spooler;

constexpr const char* kDriverDir = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86";
constexpr const char* kInstallCommand =
    "rundll32 printui.dll,PrintUIEntry /if /f C:\\TEMP\\K7X.INF /r \"LPT1:\" /b \"K7X\" /m \"K7X\" ";
constexpr const char* kDefaultCommand = "rundll32 printui.dll,PrintUIEntry /y /n \"K7X\"";
constexpr const char* kImage = " image=C:\\WINDOWS\\system32\\rundll32.exe";
constexpr const char* kSuccess = "The Printer Driver has been installed successfully!";
constexpr const char* kFailure = "The Printer Driver installation has been failed!";

std::string Box(const std::string& utf8Text) {
  return "msgbox owner=none style=0x00000030 caption=\"setup\" text=\"" + utf8Text + "\"";
}

class EngineTest : public InstallTest {
 protected:
  void On(std::uint16_t lang, int osVersion, unsigned short choice, std::map<std::string, std::string> faults = {},
          std::vector<std::string> printers = {}) {
    winemu::CreateOptions options;
    options.langId = lang;
    options.faults = std::move(faults);
    options.printers = std::move(printers);
    UseMachine(options, osVersion, choice);
  }
  // One run of the engine; each of `boxes` message boxes is closed with its default button, and a
  // box more or less is a failure. The program then ends, and what it started runs to its end.
  InstallOutcome Run(size_t boxes) {
    winemu::ui::ScriptDriver script;
    for (size_t i = 0; i < boxes; ++i) script.Answer();
    InstallOutcome outcome = Install();
    EXPECT_EQ(script.Remaining(), 0u) << "a message box was not shown";
    machine().ProgramExited();
    return outcome;
  }
  // Whether the run asked the message loop to end.
  bool QuitPosted() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message == WM_QUIT;
  }
  // The first and the last trace line that starts with `prefix` (or is `prefix`, when `whole`).
  long Index(const std::string& prefix, bool whole = false) {
    auto trace = TraceLines("");
    for (size_t i = 0; i < trace.size(); ++i)
      if (whole ? trace[i] == prefix : trace[i].rfind(prefix, 0) == 0) return static_cast<long>(i);
    return -1;
  }
  long LastIndex(const std::string& prefix) {
    auto trace = TraceLines("");
    for (size_t i = trace.size(); i-- > 0;)
      if (trace[i].rfind(prefix, 0) == 0) return static_cast<long>(i);
    return -1;
  }
};

TEST_F(EngineTest, AFullRunOnEnglishXpInstallsTheDefaultPrinter) {
  EXPECT_EQ(Run(1), InstallOutcome::Installed);
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{Box(kSuccess)});
  EXPECT_TRUE(QuitPosted());
  auto printer = spooler::FindPrinter("K7X");
  ASSERT_TRUE(printer);
  EXPECT_EQ(printer->port, "LPT1:");
  EXPECT_EQ(spooler::DefaultPrinter(), "K7X");
  EXPECT_EQ(ReadFile("C:\\TEMP\\K7X.GPD").size(), 15643u);
  EXPECT_EQ(FileNames(kDriverDir),
            (std::vector<std::string>{"K7X.GPD", "K7X.INI", "K7XD.dll", "K7XF.dll", "K7XRES.DLL", "STDNAMES.GPD",
                                      "UNIDRV.DLL", "UNIDRV.HLP", "UNIDRVUI.DLL", "UNIRES.DLL", "ZIKU.UFM",
                                      "uninstallK7X.exe"}));
  // The steps in their order.
  EXPECT_EQ(Index("dir.remove"), 0);
  long install = Index(std::string("process.create ") + kInstallCommand + kImage + " -> ok");
  EXPECT_LT(LastIndex("file.copy C:\\TEMP\\K7XF.dll"), install);
  EXPECT_LT(install, Index("process.wait"));
  long pause = Index("sleep 100", true);
  EXPECT_LT(Index("process.wait"), pause);
  EXPECT_LT(pause, LastIndex("spooler.enumprinters"));
  EXPECT_LT(LastIndex("spooler.enumprinters"), Index(std::string("process.create ") + kDefaultCommand + kImage + " -> ok"));
  EXPECT_LT(Index("msgbox"), LastIndex("dir.remove"));
  // The default-printer command is not waited for: it does its work after the program has ended.
  EXPECT_LT(LastIndex("dir.remove"), Index("printui.setdefault \"K7X\""));
}

TEST_F(EngineTest, TheResultTextsAreStoredInTheirCodePages) {
  using L = TextLanguage;
  EXPECT_EQ(ResultText(true, L::SimplifiedChinese), winemu::Utf8ToAnsi("打印机驱动程序安装成功!", 936));
  EXPECT_EQ(ResultText(false, L::SimplifiedChinese), winemu::Utf8ToAnsi("打印机驱动程序安装失败!", 936));
  EXPECT_EQ(ResultText(true, L::TraditionalChinese), winemu::Utf8ToAnsi("打印機驅動程序安裝成功!", 950));
  EXPECT_EQ(ResultText(false, L::TraditionalChinese), winemu::Utf8ToAnsi("打印機驅動程序安裝失敗!", 950));
  EXPECT_STREQ(ResultText(true, L::English), kSuccess);
  EXPECT_STREQ(ResultText(false, L::English), kFailure);
  EXPECT_EQ(std::string(ResultText(true, L::SimplifiedChinese)).size(), 23u);  // 11 double-byte characters and "!"
  EXPECT_EQ(ChooseTextLanguage(0x0804, 0), L::SimplifiedChinese);
  EXPECT_EQ(ChooseTextLanguage(0x0404, 0), L::TraditionalChinese);
  EXPECT_EQ(ChooseTextLanguage(0x0409, 0), L::TraditionalChinese);
  EXPECT_EQ(ChooseTextLanguage(0x0804, 1), L::English);
}

TEST_F(EngineTest, ASimplifiedChineseRunShowsTheGbkText) {
  On(0x0804, 7, 0);
  Run(1);
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{Box("打印机驱动程序安装成功!")});
  EXPECT_EQ(spooler::DefaultPrinter(), "K7X");
}

TEST_F(EngineTest, EnglishChosenOnASimplifiedChineseSystemShowsTheEnglishText) {
  On(0x0804, 7, 1, {{"printui_missing", ""}});
  Run(1);
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{Box(kFailure)});
}

TEST_F(EngineTest, AMissingUtilityGivesTheTraditionalFailureTextAndQuits) {
  On(0x0404, 7, 0, {{"printui_missing", ""}});
  EXPECT_EQ(Run(1), InstallOutcome::UtilityFailed);
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{Box("打印機驅動程序安裝失敗!")});
  EXPECT_EQ(TraceLines("process.create"),
            std::vector<std::string>{std::string("process.create ") + kInstallCommand + kImage + " -> error 2"});
  EXPECT_TRUE(QuitPosted());
  EXPECT_LT(Index("msgbox"), LastIndex("dir.remove"));
}

TEST_F(EngineTest, AHangingUtilityGivesTheFailureTextAfterNinetySeconds) {
  On(0x0409, 7, 1, {{"printui_hangs", ""}}, {"K7X"});
  Run(1);
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{Box(kFailure)});
  EXPECT_EQ(TimeOf("msgbox") - TimeOf("process.create"), 90000);
  EXPECT_EQ(Index("sleep 100", true), -1);
  EXPECT_EQ(Index(std::string("process.create ") + kDefaultCommand), -1);
  EXPECT_TRUE(QuitPosted());
}

TEST_F(EngineTest, NoPrinterAtAllEndsTheRunSilently) {
  On(0x0409, 7, 1, {{"printui_noop", ""}});
  EXPECT_EQ(Run(0), InstallOutcome::NoPrinterData);
  EXPECT_TRUE(MessageBoxes().empty());
  EXPECT_FALSE(QuitPosted());
  auto trace = TraceLines("");
  EXPECT_EQ(trace.back().rfind("spooler.enumprinters", 0), 0u) << trace.back();
  EXPECT_TRUE(Exists("C:\\TEMP\\I386"));  // no final sweep (and C:\TEMP holds the staged files)
}

TEST_F(EngineTest, AFailingSizedEnumerationEndsTheRunSilently) {
  On(0x0409, 7, 1, {{"enum_printers_fails", ""}});
  Run(0);
  EXPECT_TRUE(MessageBoxes().empty());
  EXPECT_FALSE(QuitPosted());
  EXPECT_TRUE(spooler::FindPrinter("K7X"));  // installed, but the sized enumeration failed
  auto trace = TraceLines("");
  EXPECT_EQ(trace.back().rfind("spooler.enumprinters", 0), 0u) << trace.back();
  EXPECT_NE(trace.back().find("-> error 1722"), std::string::npos) << trace.back();
}

TEST_F(EngineTest, OnlyAPrinterWithTheModelNameInItsExactCaseCounts) {
  // (A printer named k7x itself would go with the removal: key names have no case.)
  On(0x0409, 7, 1, {{"printui_noop", ""}}, {"k7x receipt"});
  EXPECT_EQ(Run(1), InstallOutcome::PrinterNotFound);
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{Box(kFailure)});
  EXPECT_EQ(Index(std::string("process.create ") + kDefaultCommand), -1);

  // A printer found by its name must also use the model's driver: "Receipt K7X" on another one
  // is no installation.
  On(0x0409, 7, 1, {{"printui_noop", ""}}, {"Office", "Receipt K7X"});
  EXPECT_EQ(Run(1), InstallOutcome::PrinterNotFound);
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{Box(kFailure)});
  EXPECT_EQ(Index(std::string("process.create ") + kDefaultCommand), -1);
  EXPECT_EQ(spooler::DefaultPrinter(), "Office");
}

TEST_F(EngineTest, AnotherPrinterNameInstallsFromTheInfItStagedWithItsFilesAsModelK7X) {
  On(0x0409, 7, 1, {}, {"Office"});
  std::snprintf(g_PrinterName, sizeof g_PrinterName, "K7X 2");
  Run(1);
  for (const char* f : {"K7X 2.GPD", "K7X 2.INI", "K7X 2.INF", "uninstallK7X 2.exe", "x86\\K7X 2D.dll", "x86\\K7X 2F.dll"})
    EXPECT_TRUE(Exists(std::string("C:\\TEMP\\") + f)) << f;
  EXPECT_FALSE(Exists("C:\\TEMP\\K7X.INF"));
  EXPECT_NE(ReadFile("C:\\TEMP\\K7X 2.GPD").find("*ModelName: \"K7X 2\""), std::string::npos);
  // The path holds a blank: it is quoted.
  EXPECT_GE(Index("process.create rundll32 printui.dll,PrintUIEntry /if /f \"C:\\TEMP\\K7X 2.INF\" /r \"LPT1:\" /b "
                  "\"K7X\" /m \"K7X\" "),
            0);
  EXPECT_TRUE(TraceLines("printui.error").empty());
  EXPECT_TRUE(Exists(std::string(kDriverDir) + "\\3\\K7X 2RES.DLL"));
  EXPECT_EQ(spooler::DefaultPrinter(), "K7X");
  EXPECT_EQ(MessageBoxes(), std::vector<std::string>{Box(kSuccess)});
}

TEST_F(EngineTest, WithoutADriverDirectoryNothingOutsideTheStagingDirectoryIsCopiedOrDeleted) {
  On(0x0409, 7, 1, {{"spooler_stopped", ""}, {"start_refused", ""}});
  std::string d = "C:\\WINDOWS\\system32\\spool\\drivers\\w32x86";
  WriteFile(d + "\\K7X.GPD", "kept");
  WriteFile(d + "\\3\\K7X.GPD", "kept");
  // No uninstaller can be placed without a driver directory: the run ends there, a failure.
  EXPECT_EQ(Run(1), InstallOutcome::StagingFailed);
  EXPECT_EQ(MessageBoxes().size(), 1u);
  EXPECT_EQ(ReadFile(d + "\\K7X.GPD"), "kept");
  EXPECT_EQ(ReadFile(d + "\\3\\K7X.GPD"), "kept");
  for (const std::string& line : TraceLines("file.copy")) ADD_FAILURE() << line;
  for (const std::string& line : TraceLines("file.delete"))
    EXPECT_EQ(line.find("spool"), std::string::npos) << line;
}

// A caller without pages: the run shows and posts nothing itself, writes every payload through the
// host, and a file that could not be staged is its outcome when no printer results.
class QuietHost : public InstallHost {
 public:
  BOOL WritePayload(UINT id, const std::string& path, BOOL rewrite) override {
    written.push_back(path);
    return id != failing && theApp.ExtractPayload(id, path, rewrite);
  }
  void ShowError(const char* text) override { told.push_back(std::string("error ") + text); }
  void ShowResult(const char* text) override { told.push_back(text); }
  void EndWizard() override { told.push_back("end"); }
  UINT failing = 0;
  std::vector<std::string> written, told;
};

TEST_F(EngineTest, ACallerWithoutPagesIsToldEverythingAndNothingIsShown) {
  QuietHost host;
  EXPECT_EQ(theApp.InstallPrinterDriver(host), InstallOutcome::Installed);
  machine().ProgramExited();
  EXPECT_TRUE(MessageBoxes().empty());
  EXPECT_FALSE(QuitPosted());
  EXPECT_EQ(host.told, (std::vector<std::string>{kSuccess, "end"}));
  EXPECT_EQ(host.written.size(), 19u);  // the uninstaller, the INF, 11 rows (3 of them in three places)
  EXPECT_EQ(host.written.front(), "C:\\TEMP\\uninstallK7X.exe");

  On(0x0409, 7, 1, {{"printui_missing", ""}});
  QuietHost failing;
  failing.failing = kPayloadInf;
  EXPECT_EQ(theApp.InstallPrinterDriver(failing), InstallOutcome::StagingFailed);
  EXPECT_EQ(failing.told, (std::vector<std::string>{kFailure, "end"}));
}

}  // namespace
