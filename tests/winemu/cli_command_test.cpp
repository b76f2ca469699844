// The winemu command line: help from each command's registration, options as --name VALUE or
// --name=VALUE, one line naming the option for what is refused, distinct exit codes, "config"
// changing a machine whole or not at all, "reg" recursive and "reg export"/"reg import".
#include <gtest/gtest.h>

#include <fstream>

#include "support/machine_fixture.h"

namespace k7x::test {
namespace {

namespace fs = std::filesystem;

CommandResult Winemu(const std::string& args) { return RunCommand(std::string(WINEMU_COMMAND) + " " + args); }

class Cli : public ::testing::Test {
 protected:
  TempDir temp;
  std::string m = (temp.path() / "M").string();
};

TEST_F(Cli, EveryCommandHasItsHelpFromHelpAndFromDashH) {
  for (const char* command : {"create", "config", "run", "trace", "reg", "reg export", "reg import", "printers"}) {
    CommandResult viaHelp = Winemu(std::string("help ") + command);
    EXPECT_EQ(viaHelp.code, 0) << command;
    EXPECT_EQ(viaHelp.out.rfind(std::string("usage: winemu ") + command + " ", 0), 0u) << viaHelp.out;
    EXPECT_NE(viaHelp.out.find("-h, --help"), std::string::npos);
    CommandResult viaFlag = Winemu(std::string(command) + " -h");
    EXPECT_EQ(viaFlag.code, 0);
    EXPECT_EQ(viaFlag.out, viaHelp.out);
  }
  EXPECT_EQ(Winemu("reg export M K --help").out, Winemu("help reg export").out);
  EXPECT_NE(Winemu("help create").out.find("--codepage N"), std::string::npos);
  EXPECT_NE(Winemu("help reg").out.find("--recursive"), std::string::npos);
  CommandResult overview = Winemu("help");
  EXPECT_EQ(overview.code, 0);
  EXPECT_NE(overview.out.find("winemu reg export DIR KEY [FILE]"), std::string::npos);
  EXPECT_NE(overview.out.find("1 the program run failed, 2 usage error, 70 machine error"), std::string::npos);
  EXPECT_EQ(Winemu("").code, 2);
  CommandResult unknown = Winemu("help bogus");
  EXPECT_EQ(unknown.code, 2);
  EXPECT_EQ(unknown.err, "winemu: help: no command 'bogus' (winemu help lists them)\n");
  CommandResult helpHelp = Winemu("help help");
  EXPECT_EQ(helpHelp.code, 0);
  EXPECT_EQ(helpHelp.out.rfind("usage: winemu help [COMMAND]\n", 0), 0u) << helpHelp.out;
  // reg's help leads on to export and import; config names no defaults, since it keeps the machine's.
  std::string reg = Winemu("help reg").out;
  EXPECT_NE(reg.find("winemu reg export DIR KEY [FILE]"), std::string::npos) << reg;
  EXPECT_NE(reg.find("winemu reg import DIR FILE"), std::string::npos) << reg;
  EXPECT_EQ(Winemu("help config").out.find("(default"), std::string::npos) << Winemu("help config").out;
  EXPECT_NE(Winemu("help create").out.find("(default 0x0409)"), std::string::npos);
}

TEST_F(Cli, OptionsTakeTheirValueEitherWayAndUsageErrorsNameTheOption) {
  ASSERT_EQ(Winemu("create " + m + " --version=6.1 --lang 0x0804").code, 0);
  std::string ini = ReadHostFile(fs::path(m) / "machine.ini");
  EXPECT_NE(ini.find("Version=6.1\r\n"), std::string::npos);
  EXPECT_NE(ini.find("CodePage=936\r\n"), std::string::npos);
  struct Case {
    std::string args, err;
  };
  for (const Case& c : std::vector<Case>{
           {"create " + m + "2 --bogus", "winemu: create: unknown option '--bogus'\n"},
           {"create " + m + "2 --lang", "winemu: create: option --lang needs a value (0xNNNN)\n"},
           {"create " + m + "2 --user=1", "winemu: create: option --user takes no value\n"},
           {"run " + m + " /bin/true --script", "winemu: run: option --script needs a value (FILE|-)\n"},
           {"reg " + m + " HKLM --deep", "winemu: reg: unknown option '--deep'\n"},
           {"config " + m + " --codepage=7", "winemu: config: --codepage needs one of 874, 932, 936, 949, 950, 1250, "
                                             "1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 65001, not '7'\n"},
           {"nonsense", "winemu: unknown command 'nonsense' (try winemu help)\n"},
           {"create " + m + "2 --lang 0804",
            "winemu: create: --lang '0804' is ambiguous (a leading 0 without 0x): write 0x0804 for hexadecimal or "
            "804 for decimal\n"},
       }) {
    CommandResult r = Winemu(c.args);
    EXPECT_EQ(r.code, 2) << c.args;
    EXPECT_EQ(r.err, c.err);
  }
  EXPECT_FALSE(fs::exists(m + "2"));
}

TEST_F(Cli, AMachineThatCannotBeReadIsAMachineError) {
  CommandResult r = Winemu("reg " + m + " HKLM");
  EXPECT_EQ(r.code, 70);
  ASSERT_EQ(Winemu("create " + m).code, 0);
  r = Winemu("reg " + m + " 'HKLM\\NoSuchKey'");
  EXPECT_EQ(r.code, 70);
  EXPECT_EQ(r.err, "winemu: reg: no key HKLM\\NoSuchKey\n");
  EXPECT_EQ(Winemu("trace " + m).code, 70);
  EXPECT_EQ(Winemu("create " + m).code, 70);  // not empty
}

TEST_F(Cli, ConfigChangesTheMachineWholeOrNotAtAll) {
  ASSERT_EQ(Winemu("create " + m + " --fault printui_hangs").code, 0);
  fs::path ini = fs::path(m) / "machine.ini";
  CommandResult r = Winemu("config " + m + " --version 5.0 --lang=0x0404 --user --fault disk_full=5");
  ASSERT_EQ(r.code, 0) << r.err;
  std::string changed = ReadHostFile(ini);
  EXPECT_EQ(r.out, changed);
  for (const char* line : {"Version=5.0\r\n", "Build=2195\r\n", "LangID=0x0404\r\n", "CodePage=950\r\n", "Admin=0\r\n",
                           "disk_full=5\r\n", "printui_hangs=\r\n"})
    EXPECT_NE(changed.find(line), std::string::npos) << line;
  r = Winemu("config " + m + " --admin --codepage 1252 --clear-faults --not-nt");
  ASSERT_EQ(r.code, 0) << r.err;
  changed = ReadHostFile(ini);
  for (const char* line : {"LangID=0x0404\r\n", "CodePage=1252\r\n", "Admin=1\r\n", "NT=0\r\n", "[Faults]\r\n"})
    EXPECT_NE(changed.find(line), std::string::npos) << line;
  EXPECT_EQ(changed.find("disk_full"), std::string::npos);
  for (const char* bad : {"--version 5", "--fault disk_ful", "--lang 0x10000", "--version 6.1 --fault start_pending=-1"}) {
    r = Winemu("config " + m + " " + bad);
    EXPECT_EQ(r.code, 2) << bad;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(ReadHostFile(ini), changed) << bad;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(m), fs::directory_iterator()), 3);  // no temporary file left
}

TEST_F(Cli, RegRecursiveShowsEveryKeyBelow) {
  ASSERT_EQ(Winemu("create " + m + " --printer P1").code, 0);
  std::string key = "'HKLM\\SYSTEM\\ControlSet001\\Control\\Print\\Printers'";
  CommandResult flat = Winemu("reg " + m + " " + key);
  CommandResult deep = Winemu("reg " + m + " " + key + " --recursive");
  ASSERT_EQ(deep.code, 0) << deep.err;
  EXPECT_EQ(deep.out.rfind(flat.out, 0), 0u);
  size_t below = deep.out.find("HKLM\\SYSTEM\\ControlSet001\\Control\\Print\\Printers\\P1\n  value \"Name\" REG_SZ 3");
  ASSERT_NE(below, std::string::npos) << deep.out;
  EXPECT_NE(deep.out.find("  value \"Port\" REG_SZ 6 \"LPT1:\\0\"\n", below), std::string::npos);
}

TEST_F(Cli, RegImportRefusesABadFileWithFileAndLineAndChangesNothing) {
  ASSERT_EQ(Winemu("create " + m).code, 0);
  fs::path file = temp.path() / "bad.reg";
  std::ofstream(file, std::ios::binary) << "Windows Registry Editor Version 5.00\r\n[HKLM\\SOFTWARE\\New]\r\n\"v\"=dword:x\r\n";
  std::string before = ReadHostFile(fs::path(m) / "registry" / "HKLM.reg");
  CommandResult r = Winemu("reg import " + m + " " + file.string());
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "winemu: reg import: " + file.string() + " line 3: dword: needs 1 to 8 hex digits\n");
  EXPECT_EQ(ReadHostFile(fs::path(m) / "registry" / "HKLM.reg"), before);
}

}  // namespace
}  // namespace k7x::test
