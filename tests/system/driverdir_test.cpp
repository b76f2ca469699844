// CopyToDriverDir: C:\TEMP\name into the spooler's driver directory, and nowhere else.
#include "sys/DriverDir.h"

#include "removal_fixture.h"

namespace {

using k7x::test::kDriverDir;
using k7x::test::RemovalTest;

using DriverDirTest = RemovalTest;

TEST_F(DriverDirTest, CopiesOverAnExistingTargetUnlessToldToKeepIt) {
  WriteFile("C:\\TEMP\\K7X.GPD", "new");
  WriteFile(kDriverDir + "\\K7X.GPD", "old");
  CopyToDriverDir("K7X.GPD", TRUE);
  EXPECT_EQ(ReadFile(kDriverDir + "\\K7X.GPD"), "old");
  CopyToDriverDir("K7X.GPD", FALSE);
  EXPECT_EQ(ReadFile(kDriverDir + "\\K7X.GPD"), "new");
  EXPECT_EQ(ReadFile("C:\\TEMP\\K7X.GPD"), "new");  // the source stays
  EXPECT_EQ(TraceLines("file.copy").back(), "file.copy C:\\TEMP\\K7X.GPD " + kDriverDir + "\\K7X.GPD -> ok");
}

TEST_F(DriverDirTest, AMissingSourceLeavesTheDirectoryAsItWasAndSaysNothing) {
  CopyToDriverDir("UNIDRV.DLL", FALSE);
  EXPECT_FALSE(Exists(kDriverDir + "\\UNIDRV.DLL"));
  EXPECT_TRUE(TraceLines("msgbox").empty());
}

TEST_F(DriverDirTest, WithoutADriverDirectoryNothingIsCopiedAnywhere) {
  MakeMachineWith({}, {{"spooler_stopped", ""}});
  WriteFile("C:\\TEMP\\K7X.GPD", "new");
  CopyToDriverDir("K7X.GPD", FALSE);
  EXPECT_TRUE(TraceLines("file.copy").empty());
  EXPECT_FALSE(Exists("C:\\K7X.GPD"));
}

TEST_F(DriverDirTest, ANameTooLongForItsPathIsRefusedNotCut) {
  std::string name(220, 'A');  // C:\TEMP\ + 220 fits, the driver directory path does not
  WriteFile("C:\\TEMP\\" + name, "x");
  CopyToDriverDir(name, FALSE);
  EXPECT_TRUE(TraceLines("file.copy").empty());
}

}  // namespace
