// RemoveOemInfFiles: which OEM copies of an INF are recognised as the K7X driver's and deleted.
#include <fstream>
#include <sstream>

#include "removal_fixture.h"
#include "shared/SetupApp.h"

namespace {

using k7x::test::RemovalTest;

std::string PayloadInf() {
  std::ifstream in(K7X_SOURCE_DIR "/src/payload/files/K7X.INF", std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class OemInfTest : public RemovalTest {
 protected:
  void Place(int n, const std::string& text, bool withPnf = true) {
    WriteFile("C:\\WINDOWS\\inf\\oem" + std::to_string(n) + ".inf", text);
    if (withPnf) WriteFile("C:\\WINDOWS\\inf\\oem" + std::to_string(n) + ".pnf", "pnf");
  }
  bool Kept(int n) { return Exists("C:\\WINDOWS\\inf\\oem" + std::to_string(n) + ".inf"); }
  bool PnfKept(int n) { return Exists("C:\\WINDOWS\\inf\\oem" + std::to_string(n) + ".pnf"); }
};

TEST_F(OemInfTest, TheDriversOwnInfIsDeletedWithItsCompanionAndOthersStay) {
  std::string inf = PayloadInf();
  ASSERT_NE(inf.find("Class=Printer"), std::string::npos);
  Place(7, inf);
  Place(6, "[Version]\r\nClass=Printer\r\n[Manufacturer]\r\n\"Other\"=Other\r\n[Other]\r\n\"Other\"=x,OTHER.GPD\r\n");
  Place(8, inf.substr(0, inf.find("[Manufacturer]")));  // class, but the model never named after it
  EXPECT_TRUE(theApp.RemoveOemInfFiles());
  EXPECT_FALSE(Kept(7));
  EXPECT_FALSE(PnfKept(7));
  EXPECT_TRUE(Kept(6));
  EXPECT_TRUE(PnfKept(6));
  EXPECT_TRUE(Kept(8));
  EXPECT_EQ(TraceLines("file.delete"), (std::vector<std::string>{"file.delete C:\\WINDOWS\\inf\\oem7.inf -> ok",
                                                                  "file.delete C:\\WINDOWS\\inf\\oem7.pnf -> ok"}));
}

TEST_F(OemInfTest, OnlyOem0ToOem99AreLookedAtAndGapsDoNotEndTheScan) {
  std::string inf = PayloadInf();
  for (int n : {0, 5, 99, 100}) Place(n, inf);
  theApp.RemoveOemInfFiles();
  EXPECT_FALSE(Kept(0));
  EXPECT_FALSE(Kept(5));
  EXPECT_FALSE(Kept(99));
  EXPECT_TRUE(Kept(100));
  EXPECT_TRUE(PnfKept(100));
}

TEST_F(OemInfTest, TheModelMustComeAtOrAfterTheClassAndAManufacturerOrGpd) {
  struct Case {
    const char* text;
    bool deleted;
  } cases[] = {
      {"[Version]\nClass=Printer\n[Manufacturer]\n\"K7X\"=x\n", true},
      {"[Version]\nClass=Printer\nCopyFiles=K7X.GPD\n", true},     // the GPD and the model in one piece
      {"Class=Printer ; K7X.GPD\n", true},                          // everything in the very same piece
      {"; K7X\n[Version]\nClass=Printer\n[Manufacturer]\n\"Other\"=x\n", false},  // model named before
      {"[Version]\nClass=Printer ; K7X\n[Manufacturer]\n\"Other\"=x\n", false},   // before [Manufacturer]
      {"[Version]\nClass=Image\n[Manufacturer]\n\"K7X\"=x,K7X.GPD\n", false},      // not a printer INF
      {"[Version]\nclass=printer\n[Manufacturer]\n\"K7X\"=x\n", false},            // case counts
      {"[Version]\nClass = Printer\n[Manufacturer]\n\"K7X\"=x\n", false},          // so do blanks
      {"[Version]\nClass=Printer\n[manufacturer]\n\"K7X\"=x,k7x.gpd\n", false},
      {"[Version]\nClass=Printer\n[Manufacturer]\n\"k7x\"=x\n", false},
  };
  for (const Case& c : cases) {
    MakeMachine(winemu::CreateOptions{});
    Place(3, c.text);
    theApp.RemoveOemInfFiles();
    EXPECT_EQ(!Kept(3), c.deleted) << c.text;
  }
}

TEST_F(OemInfTest, PiecesHoldAtMost259CharactersSoACutModelNameDoesNotCount) {
  std::string head = "[Version]\r\nClass=Printer\r\n[Manufacturer]\r\n";
  Place(1, head + std::string(256, 'x') + "K7X\r\n");  // 259 characters: one piece
  Place(2, head + std::string(257, 'x') + "K7X\r\n");  // "K7" ends the first piece, "X" starts the next
  Place(3, head + std::string(259, 'x') + "K7X\r\n");  // the model wholly in the second piece
  theApp.RemoveOemInfFiles();
  EXPECT_FALSE(Kept(1));
  EXPECT_TRUE(Kept(2));
  EXPECT_FALSE(Kept(3));
}

TEST_F(OemInfTest, AMatchingInfWithoutCompanionIsStillDeleted) {
  Place(4, PayloadInf(), /*withPnf=*/false);
  theApp.RemoveOemInfFiles();
  EXPECT_FALSE(Kept(4));
  EXPECT_EQ(TraceLines("file.delete").back(), "file.delete C:\\WINDOWS\\inf\\oem4.pnf -> error 2");
}

}  // namespace
