// Bad input refused at the door: "winemu create" leaves nothing behind when it refuses, "winemu
// run" checks the machine before the program starts and never makes one it was not asked for, and
// a machine torn down with files still open or after a failed run stays sound.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "support/machine_fixture.h"
#include "winemu/machine/program.h"

namespace k7x::test {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

CommandResult Winemu(const std::string& args) { return RunCommand(std::string(WINEMU_COMMAND) + " " + args); }

TEST(CreateDoor, RefusesBadOptionsWithOneLineAndLeavesNoMachine) {
  TempDir temp;
  fs::path m = temp.path() / "M";
  for (const char* bad : {"--fault disk_ful", "--fault disk_full=abc", "--fault disk_full=99999999999999999999",
                          "--fault start_pending=-1", "--codepage 12345", "--oem-inf 4294967295=F",
                          "--printer 'trail\\'", "--oem-inf 3=/missing/file.inf"}) {
    CommandResult r = Winemu("create " + Quoted(m) + " " + bad);
    EXPECT_NE(r.code, 0) << bad;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_FALSE(fs::exists(m)) << bad;
  }
  CommandResult missing = Winemu("create " + Quoted(m) + " --oem-inf 3=/missing/file.inf");
  EXPECT_EQ(missing.err, "winemu: --oem-inf 3=/missing/file.inf: no such file\n");
  // Nothing half-made blocks the next attempt.
  EXPECT_EQ(Winemu("create " + Quoted(m) + " --fault disk_full=10").code, 0);
  EXPECT_TRUE(fs::exists(m / "machine.ini"));
}

TEST(CreateDoor, AnEmptyDirectoryGivenIsLeftEmptyWhenTheMachineCannotBeMade) {
  TempDir temp;
  winemu::CreateOptions o;
  o.oemInfs.emplace_back(3, temp.path() / "missing.inf");
  EXPECT_THROW(winemu::CreateMachine(temp.path(), o), winemu::MachineError);
  EXPECT_TRUE(fs::is_empty(temp.path()));
  winemu::CreateOptions faults;
  faults.faults["stop_pendng"] = "";
  EXPECT_THROW(winemu::CreateMachine(temp.path(), faults), winemu::MachineError);
  EXPECT_TRUE(fs::is_empty(temp.path()));
}

class RunDoor : public ::testing::Test {
 protected:
  CommandResult Run(const std::string& extra = "") {
    return Winemu("run " + Quoted(m) + " " + UI_PROBE_PROGRAM + " --script - " + extra + " < /dev/null");
  }
  void Replace(const fs::path& file, const std::string& from, const std::string& to) {
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  }
  TempDir temp;
  fs::path m = temp.path() / "M";
};

TEST_F(RunDoor, AMissingMachineDirectoryIsRefusedUnlessCreateIsAsked) {
  CommandResult r = Run();
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "winemu: run: no machine directory '" + m.string() + "' (--create makes one)\n");
  EXPECT_FALSE(fs::exists(m));
  Run("--create");
  EXPECT_TRUE(fs::exists(m / "machine.ini"));
  EXPECT_TRUE(fs::exists(m / "trace.log"));
}

TEST_F(RunDoor, ABadMachineIniOrRegistryFileIsRefusedBeforeTheProgramStarts) {
  ASSERT_EQ(Winemu("create " + Quoted(m)).code, 0);
  Replace(m / "machine.ini", "Version=5.1", "Version=abc");
  CommandResult r = Run();
  EXPECT_EQ(r.code, 70);  // a machine error
  EXPECT_NE(r.err.find("machine.ini line 2: [System] Version: 'abc' is not allowed; expected MAJOR.MINOR"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(m / "trace.log"));
  Replace(m / "machine.ini", "Version=abc", "Version=5.1");
  Replace(m / "registry" / "HKLM.reg", "key ", "kex ");
  r = Run();
  EXPECT_EQ(r.code, 70);
  EXPECT_NE(r.err.find("HKLM.reg: line 2: expected a 'key' or 'value' line"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(m / "trace.log"));
}

TEST_F(RunDoor, AProgramStartedOnABadMachineEndsWithOneLineNotAnAbort) {
  ASSERT_EQ(Winemu("create " + Quoted(m)).code, 0);
  Replace(m / "machine.ini", "Admin=1", "Admin=maybe");
  CommandResult r = RunCommand("WINEMU_MACHINE=" + Quoted(m) + " " + UI_PROBE_PROGRAM + " < /dev/null");
  EXPECT_EQ(r.code, 70);
  EXPECT_NE(r.err.find("[System] Admin: 'maybe' is not allowed; expected 0 or 1\n"), std::string::npos) << r.err;
}

class TornDown : public MachineTest {};

TEST_F(TornDown, AFailedRunWithAFileStillOpenEndsCleanly) {
  static HANDLE open = nullptr;
  int rc = winemu::RunProgram([](void*, void*, char*, int) -> int {
    open = CreateFileA("C:\\Setup\\left-open.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(open, "bytes", 5, &written, nullptr);
    throw winemu::MachineError("the run failed");
  });
  EXPECT_EQ(rc, 70);
  ASSERT_NE(open, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadFile("C:\\Setup\\left-open.txt"), "bytes");
  // The machine goes with the handle still open (the test's teardown), as at the process's exit.
}

// States are destroyed latest first, so a state's destructor may use one made before it.
std::vector<std::string> g_stateLog;
struct Earlier {
  explicit Earlier(winemu::Machine&) {}
  ~Earlier() { g_stateLog.push_back("earlier gone"); }
  bool alive = true;
};
struct Later {
  explicit Later(winemu::Machine& m) : machine(m) {}
  ~Later() { g_stateLog.push_back(machine.State<Earlier>().alive ? "later gone, earlier alive" : "?"); }
  winemu::Machine& machine;
};

TEST_F(TornDown, StatesGoLatestFirst) {
  g_stateLog.clear();
  {
    std::unique_ptr<winemu::Machine> m = winemu::Machine::Open(dir());
    m->State<Earlier>();
    m->State<Later>();
  }
  EXPECT_EQ(g_stateLog, (std::vector<std::string>{"later gone, earlier alive", "earlier gone"}));
}

}  // namespace
}  // namespace k7x::test
