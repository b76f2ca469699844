// EnumPrinterDriversA: levels 1 to 3 with the two-call size protocol, records first and their
// strings after them, full paths in the version directory; the driver a machine with printers has.
#include <windows.h>

#include <cstring>
#include <vector>

#include "support/machine_fixture.h"
#include "winemu/winspool/spooler_store.h"

namespace {

class PrinterDriversTest : public k7x::test::MachineTest {
 protected:
  // Both calls of the protocol; the buffer is exactly the size the first one asked for.
  std::vector<BYTE> Enumerate(DWORD level, DWORD& returned) {
    DWORD needed = 0;
    EXPECT_FALSE(EnumPrinterDriversA(nullptr, env_, level, nullptr, 0, &needed, &returned));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    std::vector<BYTE> buffer(needed, 0xCC);
    EXPECT_FALSE(EnumPrinterDriversA(nullptr, env_, level, buffer.data(), needed - 1, &needed, &returned));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_TRUE(EnumPrinterDriversA(nullptr, env_, level, buffer.data(), needed, &needed, &returned));
    EXPECT_EQ(needed, buffer.size());
    return buffer;
  }
  bool Inside(const std::vector<BYTE>& buffer, const char* p, size_t recordsEnd) {
    auto* b = reinterpret_cast<const char*>(buffer.data());
    return p >= b + recordsEnd && p < b + buffer.size();
  }
  char env_[32] = "Windows NT x86";
};

TEST_F(PrinterDriversTest, AMachineWithoutPrintersHasNoDriverAndNeedsNothing) {
  DWORD needed = 7, returned = 7;
  EXPECT_TRUE(EnumPrinterDriversA(nullptr, env_, 3, nullptr, 0, &needed, &returned));
  EXPECT_EQ(needed, 0u);
  EXPECT_EQ(returned, 0u);
}

TEST_F(PrinterDriversTest, Level3NamesEveryFileOfGenericTextOnlyByFullPathAfterTheRecords) {
  MakeMachineWith({"Receipt"});
  DWORD returned = 0;
  std::vector<BYTE> buffer = Enumerate(3, returned);
  ASSERT_EQ(returned, 1u);
  DRIVER_INFO_3A d;
  std::memcpy(&d, buffer.data(), sizeof d);
  const std::string dir = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\3\\";
  EXPECT_EQ(d.cVersion, 3u);
  EXPECT_STREQ(d.pName, "Generic / Text Only");
  EXPECT_STREQ(d.pEnvironment, "Windows NT x86");
  EXPECT_EQ(d.pDriverPath, dir + "UNIDRV.DLL");
  EXPECT_EQ(d.pDataFile, dir + "TTY.GPD");
  EXPECT_EQ(d.pConfigFile, dir + "UNIDRVUI.DLL");
  EXPECT_EQ(d.pHelpFile, dir + "UNIDRV.HLP");
  EXPECT_EQ(d.pMonitorName, nullptr);
  std::vector<std::string> dependents;
  for (const char* f = d.pDependentFiles; *f; f += std::strlen(f) + 1) dependents.push_back(f);
  EXPECT_EQ(dependents, (std::vector<std::string>{dir + "TTYRES.DLL", dir + "TTY.INI", dir + "TTY.DLL",
                                                  dir + "TTYUI.DLL", dir + "TTYUI.HLP", dir + "UNIRES.DLL",
                                                  dir + "STDNAMES.GPD"}));
  for (const char* p : {d.pName, d.pEnvironment, d.pDriverPath, d.pDataFile, d.pConfigFile, d.pHelpFile,
                        d.pDependentFiles})
    EXPECT_TRUE(Inside(buffer, p, sizeof d));
  // The files the records name are on the machine's disk.
  EXPECT_TRUE(Exists(dir + "TTY.GPD"));
  EXPECT_TRUE(Exists(dir + "UNIRES.DLL"));
}

TEST_F(PrinterDriversTest, Levels1And2AreTheHeadsOfLevel3AndEveryDriverIsListed) {
  MakeMachineWith({"Receipt"});
  winemu::spooler::DriverRecord k7x;
  k7x.name = "K7X";
  k7x.driverPath = "UNIDRV.DLL";
  k7x.dataFile = "K7X.GPD";
  k7x.configFile = "UNIDRVUI.DLL";
  winemu::spooler::AddDriver(k7x);
  DWORD returned = 0;
  std::vector<BYTE> one = Enumerate(1, returned);
  ASSERT_EQ(returned, 2u);
  const auto* names = reinterpret_cast<const DRIVER_INFO_1A*>(one.data());
  EXPECT_STREQ(names[0].pName, "Generic / Text Only");
  EXPECT_STREQ(names[1].pName, "K7X");
  EXPECT_TRUE(Inside(one, names[1].pName, 2 * sizeof(DRIVER_INFO_1A)));
  std::vector<BYTE> two = Enumerate(2, returned);
  ASSERT_EQ(returned, 2u);
  const auto* records = reinterpret_cast<const DRIVER_INFO_2A*>(two.data());
  EXPECT_STREQ(records[1].pDataFile, "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\3\\K7X.GPD");
  EXPECT_TRUE(Inside(two, records[1].pConfigFile, 2 * sizeof(DRIVER_INFO_2A)));
  std::vector<BYTE> three = Enumerate(3, returned);
  const auto* full = reinterpret_cast<const DRIVER_INFO_3A*>(three.data());
  EXPECT_EQ(full[1].pHelpFile, nullptr);
  EXPECT_EQ(full[1].pDependentFiles, nullptr);
}

TEST_F(PrinterDriversTest, WrongLevelEnvironmentOrServerAndAStoppedSpoolerAreRefused) {
  DWORD needed = 0, returned = 0;
  EXPECT_FALSE(EnumPrinterDriversA(nullptr, env_, 7, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
  char unknown[] = "Windows 95";
  EXPECT_FALSE(EnumPrinterDriversA(nullptr, unknown, 3, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ENVIRONMENT));
  char other[] = "Windows 4.0";  // known, with no drivers here
  EXPECT_TRUE(EnumPrinterDriversA(nullptr, other, 3, nullptr, 0, &needed, &returned));
  EXPECT_EQ(returned, 0u);
  char server[] = "\\\\other";
  EXPECT_FALSE(EnumPrinterDriversA(server, env_, 3, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
  MakeMachineWith({"Receipt"}, {{"spooler_stopped", ""}});
  EXPECT_FALSE(EnumPrinterDriversA(nullptr, env_, 3, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
  EXPECT_EQ(TraceLines("spooler.enumdrivers").back(),
            "spooler.enumdrivers level=3 size=0 needed=0 returned=0 -> error 1722");
}

}  // namespace
