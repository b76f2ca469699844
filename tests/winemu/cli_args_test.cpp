// "winemu create" arguments and machine.ini: what is understood and what is refused clearly.
#include <gtest/gtest.h>

#include "winemu/cli/config_args.h"
#include "winemu/cli/create_args.h"
#include "winemu/machine/config.h"
#include "winemu/machine/language_id.h"

namespace {

using winemu::cli::ParseCreateArgs;

TEST(CreateArgs, ReadsEveryOption) {
  auto r = ParseCreateArgs({"M", "--version", "6.1", "--lang", "0x0804", "--user", "--printer", "K7X", "--printer",
                            "Other", "--oem-inf", "7=/tmp/a.inf", "--fault", "Disk_Full=10", "--fault", "printui_hangs",
                            "--not-nt", "--codepage", "950"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.dir, "M");
  EXPECT_EQ(r.options.major, 6);
  EXPECT_EQ(r.options.minor, 1);
  EXPECT_EQ(r.options.langId, 0x0804);
  EXPECT_FALSE(r.options.admin);
  EXPECT_FALSE(r.options.nt);
  EXPECT_EQ(r.options.codePage, 950u);
  EXPECT_EQ(r.options.printers, (std::vector<std::string>{"K7X", "Other"}));
  ASSERT_EQ(r.options.oemInfs.size(), 1u);
  EXPECT_EQ(r.options.oemInfs[0].first, 7);
  EXPECT_EQ(r.options.faults.at("disk_full"), "10");
  EXPECT_EQ(r.options.faults.at("printui_hangs"), "");
}

TEST(CreateArgs, RefusesBadValuesAtTheDoorSayingWhatIsAllowed) {
  auto error = [](std::vector<std::string> args) {
    args.insert(args.begin(), "M");
    return ParseCreateArgs(args).error;
  };
  EXPECT_NE(error({"--fault", "disk_ful"}).find("--fault unknown fault 'disk_ful' (known: "), std::string::npos);
  EXPECT_NE(error({"--fault", "disk_full=lots"}).find("--fault disk_full: 'lots' is not a byte count"), std::string::npos);
  EXPECT_NE(error({"--fault", "disk_full=99999999999999999999"}).find("is not a byte count"), std::string::npos);
  EXPECT_NE(error({"--fault", "start_pending=-1"}).find("is not a count"), std::string::npos);
  EXPECT_NE(error({"--codepage", "12345"}).find("--codepage needs one of 874, 932, 936"), std::string::npos);
  EXPECT_NE(error({"--oem-inf", "4294967295=F"}).find("--oem-inf needs N=FILE with N from 0 to 99999"), std::string::npos);
  EXPECT_NE(error({"--printer", "trail\\"}).find("--printer 'trail\\' is not a printer name"), std::string::npos);
  EXPECT_NE(error({"--printer", "a,b"}).find("is not a printer name"), std::string::npos);
  EXPECT_NE(error({"--printer", std::string(221, 'P')}).find("1 to 220 bytes"), std::string::npos);
  EXPECT_NE(error({"--lang", "\x01\xFE"}).find("'\\x01\\xFE'"), std::string::npos);
  EXPECT_EQ(error({"--fault", "Start_Pending=forever", "--printer", std::string(220, 'P'), "--oem-inf", "99999=F"}), "");
}

TEST(CreateArgs, LanguageIdsAsWindowsWritesThemAndOnlyLanguages) {
  for (auto [text, id] : {std::pair{"0x0804", 0x0804}, {"2052", 0x0804}, {"0X0404", 0x0404}, {"0x1004", 0x1004}}) {
    auto r = ParseCreateArgs({"M", "--lang", text});
    EXPECT_EQ(r.error, "") << text;
    EXPECT_EQ(r.options.langId, id) << text;
  }
  // A leading zero without 0x reads as hexadecimal to some and decimal to others.
  EXPECT_EQ(ParseCreateArgs({"M", "--lang", "0804"}).error.rfind("--lang '0804' is ambiguous", 0), 0u);
  // Neither a primary language (0x199) nor the neutral sublanguage 0 names a system's language.
  for (const char* notALanguage : {"0x9999", "0x0004", "0", "0x0400"})
    EXPECT_EQ(ParseCreateArgs({"M", "--lang", notALanguage}).error,
              std::string("--lang '") + notALanguage + "' is not a language: it needs " + winemu::kLanguageIdsAllowed)
        << notALanguage;
}

TEST(CreateArgs, RefusesWhatItCannotRead) {
  EXPECT_NE(ParseCreateArgs({}).error, "");
  EXPECT_NE(ParseCreateArgs({"M", "--version"}).error, "");
  EXPECT_NE(ParseCreateArgs({"M", "--version", "5"}).error, "");
  EXPECT_NE(ParseCreateArgs({"M", "--version", "5.x"}).error, "");
  EXPECT_NE(ParseCreateArgs({"M", "--lang", "0x10000"}).error, "");
  EXPECT_NE(ParseCreateArgs({"M", "--oem-inf", "x=a"}).error, "");
  EXPECT_NE(ParseCreateArgs({"M", "--oem-inf", "3="}).error, "");
  EXPECT_NE(ParseCreateArgs({"M", "--fault", "=1"}).error, "");
  EXPECT_NE(ParseCreateArgs({"M", "--bogus"}).error, "");
  EXPECT_NE(ParseCreateArgs({"M", "N"}).error, "");
}

TEST(SplitArgs, TakesValuesEitherWayAndStopsAtTheFirstProblem) {
  const std::vector<winemu::cli::OptionDef> defs = {{"--a", "V", ""}, {"--flag", nullptr, ""}};
  auto r = winemu::cli::Split({"--a=x=y", "P", "--a", "2", "--flag", "--", "--not-an-option", "-"}, defs);
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.positional, (std::vector<std::string>{"P", "--not-an-option", "-"}));
  EXPECT_EQ(r.options.size(), 3u);
  EXPECT_EQ(r.options[0].second, "x=y");
  EXPECT_EQ(r.Value("--a"), "2");
  EXPECT_TRUE(r.Has("--flag"));
  EXPECT_FALSE(r.help);
  EXPECT_TRUE(winemu::cli::Split({"P", "-h"}, defs).help);
  EXPECT_EQ(winemu::cli::Split({"--a="}, defs).Value("--a"), "");
  EXPECT_EQ(winemu::cli::Split({"--a"}, defs).error, "option --a needs a value (V)");
  EXPECT_EQ(winemu::cli::Split({"--flag=1"}, defs).error, "option --flag takes no value");
  EXPECT_EQ(winemu::cli::Split({"--b=1"}, defs).error, "unknown option '--b'");
  EXPECT_EQ(winemu::cli::Split({"-x\xFF"}, defs).error, "unknown option '-x\\xFF'");
}

TEST(ConfigArgs, ChangesOnlyWhatIsGivenWithTheRulesOfCreate) {
  auto apply = [](std::vector<std::string> args, winemu::MachineConfig& c) {
    return winemu::cli::ApplyConfigOptions(winemu::cli::Split(args, winemu::cli::ConfigOptionDefs()), c);
  };
  winemu::MachineConfig c;
  c.faults["printui_hangs"] = "";
  ASSERT_EQ(apply({"--version=6.1", "--lang", "0x0804"}, c), "");
  EXPECT_EQ(c.build, 7601);
  EXPECT_EQ(c.codePage, 936u);  // follows the new language
  EXPECT_TRUE(c.HasFault("printui_hangs"));
  ASSERT_EQ(apply({"--codepage", "1252", "--user", "--not-nt"}, c), "");
  EXPECT_EQ(c.langId, 0x0804);
  EXPECT_EQ(c.build, 7601);
  EXPECT_EQ(c.codePage, 1252u);
  EXPECT_FALSE(c.admin);
  EXPECT_FALSE(c.nt);
  ASSERT_EQ(apply({"--admin", "--nt", "--clear-faults", "--fault", "disk_full=3"}, c), "");
  EXPECT_TRUE(c.admin && c.nt);
  EXPECT_EQ(c.faults, (std::map<std::string, std::string>{{"disk_full", "3"}}));
  std::string before = c.Serialize();
  EXPECT_EQ(apply({"--version", "6.0", "--fault", "nope"}, c).rfind("--fault unknown fault 'nope'", 0), 0u);
  EXPECT_EQ(apply({"--lang", "x"}, c), std::string("--lang needs ") + winemu::kLanguageIdsAllowed + ", not 'x'");
  EXPECT_EQ(c.Serialize(), before);
}

TEST(MachineConfig, RoundTripsAndFollowsTheLanguageForTheCodePage) {
  winemu::MachineConfig c = winemu::MachineConfig::Parse("[System]\r\nVersion=5.0\r\nLangID=0x0404\r\n[Faults]\r\nprintui_duration=1\r\n");
  EXPECT_EQ(c.major, 5);
  EXPECT_EQ(c.minor, 0);
  EXPECT_EQ(c.codePage, 950u);
  EXPECT_EQ(c.FaultValue("PrintUI_Duration"), "1");
  winemu::MachineConfig again = winemu::MachineConfig::Parse(c.Serialize());
  EXPECT_EQ(again.Serialize(), c.Serialize());
  EXPECT_EQ(winemu::MachineConfig::DefaultCodePage(0x0804), 936u);
  EXPECT_EQ(winemu::MachineConfig::DefaultCodePage(0x0C04), 950u);
  EXPECT_EQ(winemu::MachineConfig::DefaultCodePage(0x0409), 1252u);
}

std::string ConfigError(const std::string& ini) {
  try {
    winemu::MachineConfig::Parse(ini, "M/machine.ini");
  } catch (const winemu::MachineError& e) {
    return e.what();
  }
  return "accepted";
}

TEST(MachineConfig, RefusesEachBadValueWithFileLineKeyAndWhatIsAllowed) {
  const std::string sys = "[System]\r\nVersion=5.1\r\n";
  EXPECT_EQ(ConfigError("[System]\nVersion=abc\n"),
            "M/machine.ini line 2: [System] Version: 'abc' is not allowed; expected MAJOR.MINOR, two numbers from 0 to "
            "255 such as 5.1");
  EXPECT_EQ(ConfigError(sys + "NT=2\r\n"), "M/machine.ini line 3: [System] NT: '2' is not allowed; expected 0 or 1");
  EXPECT_NE(ConfigError(sys + "Build=x\r\n").find("line 3: [System] Build: 'x' is not allowed; expected a build"),
            std::string::npos);
  EXPECT_NE(ConfigError(sys + "Admin=maybe\r\n").find("line 3: [System] Admin: 'maybe'"), std::string::npos);
  EXPECT_NE(ConfigError(sys + "Program=C:").find("line 3: [System] Program: 'C:' is not allowed; expected a full path"),
            std::string::npos);
  EXPECT_NE(ConfigError(sys + "WindowsDir=D:\\WINDOWS\r\n").find("WindowsDir: 'D:\\WINDOWS'"), std::string::npos);
  EXPECT_NE(ConfigError("[System]\r\nVersion=5.\xB1\r\n").find("Version: '5.\\xB1'"), std::string::npos);
  EXPECT_NE(ConfigError(sys + "CodePage=12345\r\n").find("expected one of the code pages 874, 932, 936"),
            std::string::npos);
  EXPECT_NE(ConfigError(sys + "Verison=6.1\r\n").find("line 3: [System] Verison: no such key; [System] holds Version, Build,"),
            std::string::npos);
  EXPECT_NE(ConfigError(sys + "Version=6.1\r\n").find("line 3: [System] Version is given twice (first on line 2)"),
            std::string::npos);
  EXPECT_NE(ConfigError("[Sytem]\r\nNT=1\r\n").find("line 2: [Sytem] NT: keys belong in [System] or [Faults]"),
            std::string::npos);
  EXPECT_NE(ConfigError("NT=1\r\n").find("line 1: NT: keys belong"), std::string::npos);
}

// The program path is text of the code page the file names, even below the path: a trail byte 0x7C
// belongs to its double-byte character, where a single-byte code page reads a forbidden "|".
TEST(MachineConfig, ReadsTheProgramPathInTheCodePageItNames) {
  const std::string program = "Program=C:\\\xa5\x7c\\setup.exe\r\n";
  const std::string english = "[System]\r\nLangID=0x0409\r\n";
  for (unsigned codePage : {950u, 936u}) {
    winemu::MachineConfig c =
        winemu::MachineConfig::Parse(english + program + "CodePage=" + std::to_string(codePage) + "\r\n");
    EXPECT_EQ(c.program, "C:\\\xa5\x7c\\setup.exe") << codePage;
    EXPECT_EQ(c.codePage, codePage);
  }
  EXPECT_NE(ConfigError(english + program).find("line 3: [System] Program: 'C:\\\\xA5|\\setup.exe' is not allowed"),
            std::string::npos)
      << ConfigError(english + program);
  EXPECT_EQ(ConfigError("[System]\r\nLangID=0x0404\r\n" + program), "accepted");
}

TEST(MachineConfig, RefusesUnknownFaultsAndValuesAFaultDoesNotTake) {
  auto fault = [](const std::string& line) { return ConfigError("[Faults]\r\n" + line + "\r\n"); };
  EXPECT_NE(fault("disk_ful=1").find("line 2: [Faults] unknown fault 'disk_ful' (known: readonly_program_dir, disk_full,"),
            std::string::npos);
  EXPECT_NE(fault("disk_full=lots").find("[Faults] disk_full: 'lots' is not a byte count"), std::string::npos);
  EXPECT_NE(fault("disk_full=99999999999999999999").find("is not a byte count"), std::string::npos);
  EXPECT_NE(fault("start_pending=-1").find("start_pending: '-1' is not a count"), std::string::npos);
  EXPECT_NE(fault("start_refused=0").find("is not an error code"), std::string::npos);
  EXPECT_NE(fault("printui_hangs=1").find("printui_hangs: '1' takes no value"), std::string::npos);
  for (const char* good : {"disk_full=0x10", "disk_full", "start_pending=Forever", "stop_pending=3", "start_refused=5",
                           "enum_printers_fails=4294967295", "printui_duration=0", "SPOOLER_STOPPED"})
    EXPECT_EQ(fault(good), "accepted") << good;
}

}  // namespace
