// Adding drivers and printers through the spooler, and the default printer: the registry places
// Windows uses, the files in the driver directory's 3 subdirectory, and the refusals.
#include <windows.h>

#include "support/machine_fixture.h"
#include "winemu/winspool/spooler_store.h"

namespace {

namespace spooler = winemu::spooler;

constexpr const char* kDriverDir = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86";
constexpr const char* kPrinters = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";

class SpoolerInstallTest : public k7x::test::MachineTest {
 protected:
  // A level-3 record of the driver "K7X" whose files are named as given.
  BOOL AddDriver(std::string driver, std::string data, std::string config, std::string dependents,
                 DWORD flags = APD_COPY_NEW_FILES) {
    char name[] = "K7X";
    char env[] = "Windows NT x86";
    char help[] = "";
    dependents.push_back('\0');
    DRIVER_INFO_3A info{3,       name,    env,  driver.data(), data.data(), config.data(), help,
                        dependents.data(), nullptr, nullptr};
    return AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), flags);
  }
  HANDLE AddPrinter(const char* name, const char* driver, const char* port, const char* processor = "WinPrint") {
    PRINTER_INFO_2A info{};
    std::string n = name, d = driver, p = port, pp = processor;
    info.pPrinterName = n.data();
    info.pDriverName = d.data();
    info.pPortName = p.data();
    info.pPrintProcessor = pp.data();
    return AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  }
  void InstallK7XDriver() {
    for (const char* f : {"UNIDRV.DLL", "K7X.GPD", "UNIDRVUI.DLL", "K7XF.dll"})
      WriteFile(std::string(kDriverDir) + "\\" + f, std::string("bytes of ") + f);
    ASSERT_TRUE(AddDriver("UNIDRV.DLL", "K7X.GPD", "UNIDRVUI.DLL", std::string("K7XF.dll\0", 9)));
  }
};

TEST_F(SpoolerInstallTest, ADriverIsCopiedIntoVersion3AndRegisteredByFileName) {
  WriteFile("C:\\TEMP\\x86\\K7XD.dll", "plug-in");
  for (const char* f : {"UNIDRV.DLL", "K7X.GPD", "UNIDRVUI.DLL"})
    WriteFile(std::string(kDriverDir) + "\\" + f, std::string("bytes of ") + f);
  ASSERT_TRUE(AddDriver("UNIDRV.DLL", "K7X.GPD", "UNIDRVUI.DLL", std::string("C:\\TEMP\\x86\\K7XD.dll\0", 21)));

  EXPECT_EQ(ReadFile(std::string(kDriverDir) + "\\3\\K7X.GPD"), "bytes of K7X.GPD");
  EXPECT_EQ(ReadFile(std::string(kDriverDir) + "\\3\\K7XD.dll"), "plug-in");
  auto d = spooler::FindDriver("k7x");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->driverPath, "UNIDRV.DLL");
  EXPECT_EQ(d->dataFile, "K7X.GPD");
  EXPECT_EQ(d->configFile, "UNIDRVUI.DLL");
  EXPECT_EQ(d->dependentFiles, std::vector<std::string>{"K7XD.dll"});
  EXPECT_EQ(TraceLines("spooler.adddriver"), std::vector<std::string>{"spooler.adddriver K7X -> ok"});
}

TEST_F(SpoolerInstallTest, ADriverWithAMissingFileOrABadRecordAddsNothing) {
  WriteFile(std::string(kDriverDir) + "\\UNIDRV.DLL", "core");
  EXPECT_FALSE(AddDriver("UNIDRV.DLL", "K7X.GPD", "UNIDRV.DLL", std::string()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(Exists(std::string(kDriverDir) + "\\3\\UNIDRV.DLL"));  // checked before any copy
  WriteFile(std::string(kDriverDir) + "\\K7X.GPD", "gpd");
  EXPECT_FALSE(AddDriver("UNIDRV.DLL", "K7X.GPD", "UNIDRV.DLL", std::string(), APD_COPY_FROM_DIRECTORY));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));  // bare names need no directory flag
  EXPECT_FALSE(AddDriver("UNIDRV.DLL", "", "UNIDRV.DLL", std::string()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(AddPrinterDriverExA(nullptr, 3, nullptr, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  DRIVER_INFO_3A info{};
  EXPECT_FALSE(AddPrinterDriverExA(nullptr, 4, reinterpret_cast<BYTE*>(&info), 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
  EXPECT_TRUE(spooler::Drivers().empty());
  EXPECT_TRUE(TraceLines("file.copy").empty());
}

TEST_F(SpoolerInstallTest, APrinterKeyHasTheSubkeysWindowsKeepsSoRegDeleteKeyCannotRemoveIt) {
  InstallK7XDriver();
  HANDLE printer = AddPrinter("K7X", "k7x", "lpt1:");
  ASSERT_NE(printer, nullptr);
  EXPECT_TRUE(ClosePrinter(printer));
  auto p = spooler::FindPrinter("K7X");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->driver, "K7X");  // the driver's own spelling
  EXPECT_EQ(p->port, "lpt1:");
  EXPECT_EQ(p->attributes, static_cast<unsigned>(PRINTER_ATTRIBUTE_LOCAL));

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kPrinters) + "K7X\\DsSpooler").c_str(), 0, KEY_READ, &key),
            ERROR_SUCCESS);
  char name[16] = {0};
  DWORD size = sizeof name;
  EXPECT_EQ(RegQueryValueExA(key, "printerName", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(name, "K7X");
  RegCloseKey(key);
  EXPECT_NE(RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kPrinters) + "K7X").c_str()), ERROR_SUCCESS);
  EXPECT_TRUE(spooler::FindPrinter("K7X"));
}

TEST_F(SpoolerInstallTest, PrintersMadeWithTheMachineAlsoKeepTheirSubkeys) {
  MakeMachineWith({"K7X"});
  EXPECT_NE(RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kPrinters) + "K7X").c_str()), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kPrinters) + "K7X\\PrinterDriverData").c_str()),
            ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kPrinters) + "K7X\\DsSpooler").c_str()), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kPrinters) + "K7X").c_str()), ERROR_SUCCESS);
  EXPECT_TRUE(spooler::Printers().empty());
}

TEST_F(SpoolerInstallTest, PrintersAreRefusedAsWindowsRefusesThem) {
  InstallK7XDriver();
  ASSERT_NE(AddPrinter("K7X", "K7X", "LPT1:"), nullptr);
  auto refused = [&](const char* name, const char* driver, const char* port, const char* processor) {
    SetLastError(0);
    EXPECT_EQ(AddPrinter(name, driver, port, processor), nullptr);
    return GetLastError();
  };
  EXPECT_EQ(refused("k7x", "K7X", "LPT1:", "WinPrint"), static_cast<DWORD>(ERROR_PRINTER_ALREADY_EXISTS));
  EXPECT_EQ(refused("A,B", "K7X", "LPT1:", "WinPrint"), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
  EXPECT_EQ(refused("Other", "Nope", "LPT1:", "WinPrint"), static_cast<DWORD>(ERROR_UNKNOWN_PRINTER_DRIVER));
  EXPECT_EQ(refused("Other", "K7X", "LPT9:", "WinPrint"), static_cast<DWORD>(ERROR_UNKNOWN_PORT));
  EXPECT_EQ(refused("Other", "K7X", "LPT1:", "Nope"), static_cast<DWORD>(ERROR_UNKNOWN_PRINTPROCESSOR));
  EXPECT_EQ(spooler::Printers().size(), 1u);
  EXPECT_EQ(TraceLines("spooler.addprinter").back(), "spooler.addprinter Other -> error 1798");
}

TEST_F(SpoolerInstallTest, AUserOrAStoppedSpoolerAddsNothing) {
  MakeMachineWith({}, {}, false);
  EXPECT_EQ(AddPrinter("K7X", "K7X", "LPT1:"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(AddDriver("UNIDRV.DLL", "K7X.GPD", "UNIDRVUI.DLL", std::string()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  MakeMachineWith({"K7X"}, {{"spooler_stopped", ""}});
  EXPECT_FALSE(AddDriver("UNIDRV.DLL", "K7X.GPD", "UNIDRVUI.DLL", std::string()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
  EXPECT_FALSE(SetDefaultPrinterA("K7X"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
}

TEST_F(SpoolerInstallTest, TheDefaultPrinterIsSetByNameAndReadWithTheTwoCallProtocol) {
  MakeMachineWith({"Receipt K7X", "K7X"});
  char buffer[32];
  DWORD count = 0;
  EXPECT_FALSE(GetDefaultPrinterA(nullptr, &count));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(count, 12u);  // "Receipt K7X" and its terminator
  ASSERT_TRUE(GetDefaultPrinterA(buffer, &count));
  EXPECT_STREQ(buffer, "Receipt K7X");

  EXPECT_TRUE(SetDefaultPrinterA("k7x"));
  count = sizeof buffer;
  ASSERT_TRUE(GetDefaultPrinterA(buffer, &count));
  EXPECT_STREQ(buffer, "K7X");
  EXPECT_EQ(count, 4u);
  EXPECT_FALSE(SetDefaultPrinterA("Missing"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
  EXPECT_TRUE(SetDefaultPrinterA(""));  // there is a default: nothing changes
  EXPECT_EQ(spooler::DefaultPrinter(), "K7X");
}

TEST_F(SpoolerInstallTest, AnEmptyNamePicksTheFirstPrinterWhenThereIsNoDefault) {
  DWORD count = 0;
  EXPECT_FALSE(GetDefaultPrinterA(nullptr, &count));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_TRUE(SetDefaultPrinterA(nullptr));  // no printer: nothing to pick
  EXPECT_FALSE(spooler::DefaultPrinter());
  InstallK7XDriver();
  ClosePrinter(AddPrinter("Zeta", "K7X", "LPT1:"));
  ClosePrinter(AddPrinter("Alpha", "K7X", "LPT2:"));
  EXPECT_TRUE(SetDefaultPrinterA(nullptr));
  EXPECT_EQ(spooler::DefaultPrinter(), "Alpha");
}

}  // namespace
