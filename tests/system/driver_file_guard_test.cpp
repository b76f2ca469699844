// Which driver files a removal may delete: none another installed driver names, none named like a
// Unidrv core file, and nothing while the drivers' records cannot be read.
#include "removal_fixture.h"
#include "sys/DriverFileGuard.h"
#include "winemu/winspool/spooler_store.h"

namespace {

using k7x::test::RemovalTest;

class DriverFileGuardTest : public RemovalTest {
 protected:
  static void AddK7xDriver() {
    winemu::spooler::DriverRecord k7x;
    k7x.name = "K7X";
    k7x.driverPath = "UNIDRV.DLL";
    k7x.dataFile = "K7X.GPD";
    k7x.configFile = "UNIDRVUI.DLL";
    k7x.dependentFiles = {"K7X.INI", "K7XD.DLL", "K7XF.DLL", "K7XRES.DLL", "UNIRES.DLL"};
    winemu::spooler::AddDriver(k7x);
  }
};

TEST_F(DriverFileGuardTest, FilesOfAnotherDriverAreKeptInAnyLetterCase) {
  MakeMachineWith({"Receipt"});
  CDriverFileGuard guard("K7X");
  for (const char* name : {"TTY.GPD", "tty.gpd", "TTY.INI", "TTYRES.DLL", "TTYUI.HLP"}) EXPECT_FALSE(guard.MayDelete(name)) << name;
  for (const char* name : {"K7X.GPD", "TT.GPD", "TTY.GPD.OLD"}) EXPECT_TRUE(guard.MayDelete(name)) << name;
}

TEST_F(DriverFileGuardTest, TheOwnDriverDoesNotProtectItsFilesButTheUnidrvCoreAlwaysStays) {
  MakeMachineWith({});
  AddK7xDriver();
  CDriverFileGuard own("K7X");
  EXPECT_TRUE(own.MayDelete("K7XRES.DLL"));
  EXPECT_TRUE(own.MayDelete("K7X.GPD"));
  for (const char* core : {"UNIRES.DLL", "unires.dll", "STDNAMES.GPD", "UNIDRV.DLL", "UNIDRVUI.DLL", "UNIDRV.HLP"})
    EXPECT_FALSE(own.MayDelete(core)) << core;
  // To any other program's removal the driver K7X is another driver.
  CDriverFileGuard other("Generic / Text Only");
  EXPECT_FALSE(other.MayDelete("K7XRES.DLL"));
}

TEST_F(DriverFileGuardTest, WithoutTheDriversRecordsNothingMayBeDeleted) {
  MakeMachineWith({"Receipt"}, {{"spooler_stopped", ""}});
  CDriverFileGuard guard("K7X");
  EXPECT_FALSE(guard.MayDelete("K7X.GPD"));
}

}  // namespace
