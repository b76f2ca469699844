// Processes: the utility started through CreateProcessA and WinExec, waits on the virtual clock.
#include <windows.h>

#include "support/machine_fixture.h"
#include "winemu/kernel32/process.h"
#include "winemu/winspool/spooler_store.h"

namespace {

namespace spooler = winemu::spooler;

constexpr const char* kSystemDir = "C:\\WINDOWS\\system32";

TEST(ParseRundll32, FindsTheDllTheEntryAndTheArguments) {
  auto call = winemu::ParseRundll32("rundll32 printui.dll,PrintUIEntry /if /f C:\\TEMP\\K7X.INF ", kSystemDir);
  ASSERT_TRUE(call);
  EXPECT_EQ(call->dll, "printui.dll");
  EXPECT_EQ(call->entry, "PrintUIEntry");
  EXPECT_EQ(call->arguments, "/if /f C:\\TEMP\\K7X.INF ");
  for (const char* line : {"RUNDLL32.EXE printui.dll,PrintUIEntry /y",
                           "C:\\WINDOWS\\System32\\rundll32.exe printui,PrintUIEntry /y",
                           "\"c:\\windows\\system32\\Rundll32\" printui.dll,PrintUIEntry /y",
                           "  rundll32\t\"printui.dll,PrintUIEntry\" /y"}) {
    auto c = winemu::ParseRundll32(line, kSystemDir);
    ASSERT_TRUE(c) << line;
    EXPECT_EQ(c->arguments, "/y") << line;
  }
  for (const char* line : {"notepad.exe printui.dll,PrintUIEntry", "C:\\Tools\\rundll32.exe printui.dll,PrintUIEntry",
                           "rundll32.com printui.dll,PrintUIEntry", "rundll32 printui.dll", "rundll32 ,PrintUIEntry",
                           "rundll32", ""})
    EXPECT_FALSE(winemu::ParseRundll32(line, kSystemDir)) << line;
}

class ProcessTest : public k7x::test::MachineTest {
 protected:
  void SetUp() override { Make({}); }
  // A machine with two printers, "Office" the default.
  void Make(std::map<std::string, std::string> faults) {
    winemu::CreateOptions options;
    options.printers = {"Office", "Receipt"};
    options.faults = std::move(faults);
    MakeMachine(options);
  }
  BOOL Start(const char* commandLine, PROCESS_INFORMATION& pi, const char* directory = nullptr) {
    char buffer[1000] = {0};
    std::snprintf(buffer, sizeof buffer, "%s", commandLine);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = 0;
    pi = {};
    return CreateProcessA(nullptr, buffer, nullptr, nullptr, FALSE, 0, nullptr, directory, &si, &pi);
  }
  DWORD ExitCode(HANDLE process) {
    DWORD code = 12345;
    EXPECT_TRUE(GetExitCodeProcess(process, &code));
    return code;
  }
};

constexpr const char* kSetDefault = "rundll32 printui.dll,PrintUIEntry /y /n \"Receipt\"";
constexpr const char* kImage = " image=C:\\WINDOWS\\system32\\rundll32.exe";

TEST_F(ProcessTest, TheUtilityDoesItsWorkWhenTheWaitReachesItsEnd) {
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(Start(kSetDefault, pi));
  EXPECT_NE(pi.hProcess, nullptr);
  EXPECT_NE(pi.hThread, nullptr);
  EXPECT_NE(pi.dwProcessId, 0u);
  EXPECT_EQ(ExitCode(pi.hProcess), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 1000), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(machine().Now(), 1000u);
  EXPECT_EQ(spooler::DefaultPrinter(), "Office");
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 90000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(machine().Now(), 3000u);  // the utility's default duration
  EXPECT_EQ(spooler::DefaultPrinter(), "Receipt");
  EXPECT_EQ(ExitCode(pi.hProcess), 0u);
  EXPECT_EQ(WaitForSingleObject(pi.hThread, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(CloseHandle(pi.hProcess));
  EXPECT_TRUE(CloseHandle(pi.hThread));
  EXPECT_FALSE(CloseHandle(pi.hThread));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), static_cast<DWORD>(WAIT_FAILED));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  std::string id = std::to_string(pi.dwProcessId);
  auto trace = TraceLines("");
  std::vector<std::string> expected = {
      std::string("process.create ") + kSetDefault + kImage + " -> ok",
      "printui.start /y /n \"Receipt\"",
      "process.wait " + id + " 1000 -> timeout",
      "printui.setdefault \"Receipt\"",
      "spooler.setdefault Receipt -> ok",
      "process.end " + id + " exit 0",
      "process.wait " + id + " 90000 -> ended",
  };
  trace.resize(std::min(trace.size(), expected.size()));
  EXPECT_EQ(trace, expected);
}

TEST_F(ProcessTest, OtherProgramsCannotBeStarted) {
  PROCESS_INFORMATION pi;
  EXPECT_FALSE(Start("notepad.exe C:\\TEMP\\K7X.INF", pi));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(Start("rundll32 shell32.dll,Control_RunDLL", pi));
  EXPECT_FALSE(Start("rundll32 printui.dll,printuientry /y /n Receipt", pi));  // entry names keep their case
  EXPECT_EQ(WinExec("notepad.exe", 0), 2u);
  EXPECT_EQ(TraceLines("process."), (std::vector<std::string>{
                                        "process.create notepad.exe C:\\TEMP\\K7X.INF -> error 2",
                                        std::string("process.create rundll32 shell32.dll,Control_RunDLL") + kImage + " -> error 2",
                                        std::string("process.create rundll32 printui.dll,printuientry /y /n Receipt") + kImage + " -> error 2",
                                        "process.create notepad.exe -> error 2",
                                    }));
}

TEST_F(ProcessTest, ABareNameIsFoundInTheProgramsAndTheCurrentDirectoryBeforeTheSystemDirectory) {
  WriteFile("C:\\TEMP\\rundll32.exe", "planted");
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\TEMP"));
  EXPECT_FALSE(Start(kSetDefault, pi));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  EXPECT_EQ(WinExec(kSetDefault, 0), static_cast<UINT>(ERROR_BAD_FORMAT));
  WriteFile("C:\\Setup\\RUNDLL32.EXE", "planted");
  EXPECT_FALSE(Start("rundll32.exe printui.dll,PrintUIEntry /y /n \"Receipt\"", pi));
  // The system's program, named in full, whatever argument 0 says.
  char commandLine[] = "rundll32 printui.dll,PrintUIEntry /y /n \"Receipt\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  ASSERT_TRUE(CreateProcessA("C:\\WINDOWS\\system32\\rundll32.exe", commandLine, nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &si, &pi));
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  // Without the planted files the search reaches the system directory; the Windows directory
  // comes after it, and a file there is no program either.
  WriteFile("C:\\WINDOWS\\notepad.exe", "not a program");
  EXPECT_FALSE(Start("notepad C:\\TEMP\\K7X.INF", pi));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  EXPECT_EQ(TraceLines("process.create"),
            (std::vector<std::string>{
                std::string("process.create ") + kSetDefault + " image=C:\\TEMP\\rundll32.exe -> error 193",
                std::string("process.create ") + kSetDefault + " image=C:\\TEMP\\rundll32.exe -> error 193",
                "process.create rundll32.exe printui.dll,PrintUIEntry /y /n \"Receipt\" image=C:\\Setup\\rundll32.exe -> error 193",
                std::string("process.create ") + kSetDefault + kImage + " -> ok",
                "process.create notepad C:\\TEMP\\K7X.INF image=C:\\WINDOWS\\notepad.exe -> error 193",
            }));
}

TEST_F(ProcessTest, TheWorkIsDoneAsSoonAsTheClockPassesTheEnd) {
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(Start(kSetDefault, pi));
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);  // closing the handles does not stop the process
  Sleep(2999);
  EXPECT_EQ(spooler::DefaultPrinter(), "Office");
  Sleep(2001);  // the clock passes the end without a wait: the process ends all the same
  EXPECT_EQ(spooler::DefaultPrinter(), "Receipt");
  ASSERT_TRUE(Start("rundll32 printui.dll,PrintUIEntry /y /n Office", pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(machine().Now(), 8000u);
  EXPECT_EQ(spooler::DefaultPrinter(), "Office");
}

TEST_F(ProcessTest, RelativePathsFollowTheDirectoryGivenToTheProcess) {
  WriteFile("C:\\TEMP\\K7X.INF", "[Version]\r\nClass=Net\r\n");
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(Start("rundll32 printui.dll,PrintUIEntry /if /f K7X.INF /r LPT1: /m K7X", pi, "C:\\TEMP"));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(ExitCode(pi.hProcess), 13u);
  EXPECT_EQ(TraceLines("printui.error"),
            std::vector<std::string>{"printui.error C:\\TEMP\\K7X.INF: not a printer INF ([Version] Class=Net)"});
  EXPECT_FALSE(Start(kSetDefault, pi, "C:\\NoSuchDir"));
}

TEST_F(ProcessTest, WinExecDoesTheWorkAtOnce) {
  EXPECT_EQ(WinExec(kSetDefault, 0), 33u);
  EXPECT_EQ(spooler::DefaultPrinter(), "Receipt");
  EXPECT_EQ(machine().Now(), 0u);
}

TEST_F(ProcessTest, FaultMissingUtility) {
  Make({{"printui_missing", ""}});
  PROCESS_INFORMATION pi;
  EXPECT_FALSE(Start(kSetDefault, pi));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(WinExec(kSetDefault, 0), 2u);
  EXPECT_EQ(spooler::DefaultPrinter(), "Office");
  EXPECT_TRUE(TraceLines("printui.").empty());
}

TEST_F(ProcessTest, FaultHangingUtilityNeverEnds) {
  Make({{"printui_hangs", ""}});
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(Start(kSetDefault, pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 90000), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(machine().Now(), 90000u);
  EXPECT_EQ(ExitCode(pi.hProcess), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_THROW(WaitForSingleObject(pi.hProcess, INFINITE), winemu::MachineError);
  EXPECT_EQ(WinExec(kSetDefault, 0), 33u);
  EXPECT_EQ(spooler::DefaultPrinter(), "Office");
}

TEST_F(ProcessTest, FaultUtilityThatDoesNothingAndFaultDuration) {
  Make({{"printui_noop", ""}, {"printui_duration", "500"}});
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(Start(kSetDefault, pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 90000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(machine().Now(), 500u);
  EXPECT_EQ(ExitCode(pi.hProcess), 0u);
  EXPECT_EQ(spooler::DefaultPrinter(), "Office");
  EXPECT_EQ(TraceLines("printui."), std::vector<std::string>{"printui.start /y /n \"Receipt\""});
}

TEST_F(ProcessTest, AUtilityRunningPastTheTimeOutEndsLater) {
  Make({{"printui_duration", "100000"}});
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(Start(kSetDefault, pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 90000), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(spooler::DefaultPrinter(), "Office");
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 90000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(machine().Now(), 100000u);
  EXPECT_EQ(spooler::DefaultPrinter(), "Receipt");
}

}  // namespace
