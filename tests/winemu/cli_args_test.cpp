// "winemu create" arguments and machine.ini: what is understood and what is refused clearly.
#include <gtest/gtest.h>

#include "winemu/cli/create_args.h"
#include "winemu/machine/config.h"

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

TEST(MachineConfig, RoundTripsAndFollowsTheLanguageForTheCodePage) {
  winemu::MachineConfig c = winemu::MachineConfig::Parse("[System]\r\nVersion=5.0\r\nLangID=0x0404\r\n[Faults]\r\nA=1\r\n");
  EXPECT_EQ(c.major, 5);
  EXPECT_EQ(c.minor, 0);
  EXPECT_EQ(c.codePage, 950u);
  EXPECT_EQ(c.FaultValue("a"), "1");
  winemu::MachineConfig again = winemu::MachineConfig::Parse(c.Serialize());
  EXPECT_EQ(again.Serialize(), c.Serialize());
  EXPECT_EQ(winemu::MachineConfig::DefaultCodePage(0x0804), 936u);
  EXPECT_EQ(winemu::MachineConfig::DefaultCodePage(0x0C04), 950u);
  EXPECT_EQ(winemu::MachineConfig::DefaultCodePage(0x0409), 1252u);
}

TEST(MachineConfig, NamesTheKeyItCannotRead) {
  for (const char* bad : {"[System]\nVersion=five\n", "[System]\nLangID=zz\n", "[System]\nNT=maybe\n",
                          "[System]\nProgram=setup.exe\n"}) {
    try {
      winemu::MachineConfig::Parse(bad);
      ADD_FAILURE() << bad;
    } catch (const winemu::MachineError& e) {
      EXPECT_NE(std::string(e.what()).find("machine.ini"), std::string::npos);
    }
  }
}

}  // namespace
