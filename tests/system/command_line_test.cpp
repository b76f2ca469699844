// The switches setup and the uninstaller read from their command lines.
#include <gtest/gtest.h>

#include "shared/CommandLine.h"

namespace {

constexpr unsigned kSetup = kSwitchQuiet | kSwitchPassive | kSwitchName | kSwitchLang | kSwitchLog | kSwitchHelp;

CommandLineResult Parse(const char* arguments, unsigned accepted = kSetup) {
  return ParseCommandLine(std::string("\"C:\\Program Files\\x y\\setup.exe\" ") + arguments, accepted);
}

TEST(CommandLine, SwitchesInAnyCaseWithEitherPrefixAndSeparator) {
  CommandLineResult r = Parse("-QUIET /Name:Receipt /lang=ZH /log=\"C:\\My Logs\\k7x.log\"");
  ASSERT_EQ(r.error, "");
  EXPECT_TRUE(r.options.any);
  EXPECT_EQ(r.options.mode, RunMode::Quiet);
  EXPECT_EQ(r.options.name, "Receipt");
  EXPECT_EQ(r.options.languageChoice, 0);
  EXPECT_EQ(r.options.log, "C:\\My Logs\\k7x.log");
  EXPECT_EQ(Parse("/s").options.mode, RunMode::Quiet);
  EXPECT_EQ(Parse("/passive /lang:en").options.languageChoice, 1);
  EXPECT_EQ(Parse("/passive").options.mode, RunMode::Passive);
  EXPECT_TRUE(Parse("-?").options.help);
  EXPECT_TRUE(Parse("/HELP").options.help);
  // A tool adding /quiet to a command that holds it already.
  EXPECT_EQ(Parse("/quiet /S").error, "");
  // The value keeps what follows the first separator, quotes split as the C runtime splits them.
  EXPECT_EQ(Parse("\"/log=C:\\a b\\\" c.log\"").options.log, "C:\\a b\" c.log");
  EXPECT_EQ(Parse("/name=a:b").options.name, "a:b");
}

TEST(CommandLine, NoArgumentsIsTheWizard) {
  for (const char* line : {"\"C:\\Setup\\setup.exe\"", "\"C:\\Setup\\setup.exe\"   \t", "C:\\Setup\\setup.exe", ""}) {
    CommandLineResult r = ParseCommandLine(line, kSetup);
    EXPECT_EQ(r.error, "") << line;
    EXPECT_FALSE(r.options.any) << line;
    EXPECT_EQ(r.options.mode, RunMode::Wizard);
  }
  // An unquoted program path ends at its first blank.
  EXPECT_EQ(ParseCommandLine("C:\\Setup\\setup.exe /bogus", kSetup).error, "Unknown switch \"/bogus\".");
}

TEST(CommandLine, RefusalsNameTheArgument) {
  const std::pair<const char*, const char*> cases[] = {
      {"/bogus", "Unknown switch \"/bogus\"."},
      {"quiet", "Unknown argument \"quiet\"."},
      {"/", "Unknown argument \"/\"."},
      {"/quiet=1", "The switch \"/quiet=1\" takes no value."},
      {"/name", "The switch \"/name\" needs a value."},
      {"/log=", "The switch \"/log=\" needs a value."},
      {"/lang=fr", "The switch \"/lang=fr\" takes en or zh."},
      {"/name=a /name=b", "The switch \"/name=b\" is given twice."},
      {"/quiet /passive", "The switches /quiet and /passive exclude each other."},
      {"/na\x01me", "Unknown switch \"/na?me\"."},
  };
  for (const auto& [arguments, error] : cases) {
    EXPECT_EQ(Parse(arguments).error, error) << arguments;
  }
  // Only the switches a program takes: the uninstaller has no /name.
  EXPECT_EQ(Parse("/quiet /name=K7X", kSwitchQuiet | kSwitchLog).error, "Unknown switch \"/name=K7X\".");
  // A long argument is cut in the message.
  EXPECT_EQ(Parse(("/" + std::string(100, 'x')).c_str()).error, "Unknown switch \"/" + std::string(79, 'x') + "...\".");
}

}  // namespace
