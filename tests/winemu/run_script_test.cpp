// `winemu run DIR PROGRAM --script FILE|-`: the run ends 0 when the program ended by itself with
// the script used up, and non-zero with one line on stderr otherwise.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/machine_fixture.h"

namespace k7x::test {
namespace {

struct RunResult {
  int code = -1;
  std::string out;
  std::string err;
};

class RunScriptTest : public ::testing::Test {
 protected:
  RunResult Start(const std::string& script, const std::string& how = "file") {
    std::filesystem::path file = temp.path() / "script.txt";
    std::ofstream(file, std::ios::binary) << script;
    std::string command = std::string(WINEMU_COMMAND) + " run " + (temp.path() / "machine").string() + " " + UI_PROBE_PROGRAM + " --create";
    if (how == "file") command += " --script " + file.string();
    if (how == "stdin") command += " --script - < " + file.string();
    command += " > " + (temp.path() / "out").string() + " 2> " + (temp.path() / "err").string();
    int status = std::system(command.c_str());
    RunResult r;
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Read("out");
    r.err = Read("err");
    return r;
  }
  std::string Read(const char* name) {
    std::ifstream in(temp.path() / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  TempDir temp;
};

TEST_F(RunScriptTest, AWalkToTheEndExitsZeroAndLeavesTheBoxInTheTrace) {
  RunResult r = Start("click 304\ndump\nclick 1\nanswer 7\nclick 1\nanswer\n", "stdin");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find("304 Button autocheckbox \"Check\" enabled visible checked focus"), std::string::npos) << r.out;
  std::string trace = Read("machine/trace.log");
  std::string box = "msgbox owner=0x00010002 style=0x00000024 caption=\"Probe\" text=\"Sure?\"";
  EXPECT_NE(trace.find(box), std::string::npos) << trace;
  EXPECT_NE(trace.find(box, trace.find(box) + 1), std::string::npos);  // shown twice, answered No then Yes
}

TEST_F(RunScriptTest, TheClosingLineTellsWhatTheRunEndedWith) {
  RunResult r = Start("click 1\nanswer 6\n");
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.substr(r.out.rfind("winemu: ")), "winemu: the program ended with the message \"Sure?\" (exit code 0)\n");
  r = Start("key Escape\n");
  EXPECT_EQ(r.code, 3);  // the program's own exit code
  EXPECT_EQ(r.out.substr(r.out.rfind("winemu: ")), "winemu: the program was cancelled (exit code 3)\n") << r.err;
  r = Start("click 1\nanswer 7\nkey Escape\n");
  EXPECT_EQ(r.out.substr(r.out.rfind("winemu: ")), "winemu: the program was cancelled (exit code 3)\n") << r.err;
  r = Start("click 304\n");  // the run fails: no closing line
  EXPECT_EQ(r.out.find("winemu: the program"), std::string::npos);
}

TEST_F(RunScriptTest, AFailedActionEndsTheRunWithOneLine) {
  RunResult r = Start("dump\nclick 309\n");
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "winemu: script line 2: click 309: control 309 is disabled\n");
}

TEST_F(RunScriptTest, AScriptEndingWhileTheProgramWaitsIsAFailure) {
  RunResult r = Start("click 304\n");
  EXPECT_NE(r.code, 0);
  EXPECT_EQ(r.err, "winemu: the script ended while the program waits for input\n");
  r = Start("click 1\n");
  EXPECT_EQ(r.err, "winemu: the script ended while a message box waits for an answer (caption \"Probe\" text \"Sure?\")\n");
}

TEST_F(RunScriptTest, ActionsLeftWhenTheProgramEndsAreAFailure) {
  RunResult r = Start("key Escape\ndump\nwait 10\n");
  EXPECT_EQ(r.code, 1);  // the program run failed
  EXPECT_EQ(r.err, "winemu: the program ended with 2 script actions left (line 2: dump)\n");
}

TEST_F(RunScriptTest, AScriptThatCannotBeReadIsRefusedBeforeTheRun) {
  RunResult r = Start("click 1\nclick\n");
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("script.txt: line 2: click needs one control id from 0 to 65535\n"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(temp.path() / "machine" / "trace.log"));
  r = Start("", "none");
  EXPECT_NE(r.code, 0);
  EXPECT_EQ(r.err, "winemu: the program waits for input, but nothing drives it (run it with --script FILE or --terminal)\n");
}

}  // namespace
}  // namespace k7x::test
