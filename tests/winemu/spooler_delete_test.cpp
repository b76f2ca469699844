// Removing printers and drivers: DeletePrinter needs a handle with delete access, the default
// printer moves on; DeletePrinterDriverA refuses a driver in use and leaves its files.
#include <windows.h>

#include "support/machine_fixture.h"
#include "winemu/winspool/spooler_store.h"

namespace {

namespace spooler = winemu::spooler;

class SpoolerDeleteTest : public k7x::test::MachineTest {
 protected:
  void Make(std::vector<std::string> printers, bool admin = true) {
    winemu::CreateOptions o;
    o.printers = std::move(printers);
    o.admin = admin;
    MakeMachine(o);
  }
  HANDLE Open(const char* name, PRINTER_DEFAULTSA* defaults) {
    char buffer[64];
    lstrcpyA(buffer, name);
    HANDLE printer = nullptr;
    EXPECT_TRUE(OpenPrinterA(buffer, &printer, defaults)) << name;
    return printer;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const auto& p : spooler::Printers()) names.push_back(p.name);
    return names;
  }
  PRINTER_DEFAULTSA all_ = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  char env_[32] = "Windows NT x86";
};

TEST_F(SpoolerDeleteTest, APrinterGoesThroughAHandleWithDeleteAccessAndTheNextBecomesDefault) {
  Make({"First", "Second", "Third"});
  HANDLE forUse = Open("first", nullptr);
  EXPECT_FALSE(DeletePrinter(forUse));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  ClosePrinter(forUse);

  HANDLE printer = Open("first", &all_);
  EXPECT_TRUE(DeletePrinter(printer));
  EXPECT_FALSE(DeletePrinter(printer));  // gone already: shown by the name it was opened with
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
  EXPECT_TRUE(ClosePrinter(printer));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Second", "Third"}));
  EXPECT_EQ(spooler::DefaultPrinter(), "Second");
  EXPECT_EQ(TraceLines("spooler.deleteprinter"),
            (std::vector<std::string>{"spooler.deleteprinter First -> error 5", "spooler.deleteprinter First -> ok",
                                      "spooler.deleteprinter first -> error 1801"}));

  HANDLE third = Open("Third", &all_);
  EXPECT_TRUE(DeletePrinter(third));  // not the default: the default stays
  ClosePrinter(third);
  EXPECT_EQ(spooler::DefaultPrinter(), "Second");
  HANDLE second = Open("Second", &all_);
  EXPECT_TRUE(DeletePrinter(second));
  ClosePrinter(second);
  EXPECT_EQ(Names(), std::vector<std::string>{});
  EXPECT_EQ(spooler::DefaultPrinter(), std::nullopt);

  HANDLE server = nullptr;
  ASSERT_TRUE(OpenPrinterA(nullptr, &server, &all_));
  EXPECT_FALSE(DeletePrinter(server));  // the print server is no printer
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  ClosePrinter(server);
}

TEST_F(SpoolerDeleteTest, ADriverGoesOnlyWhenNoPrinterUsesItAndItsFilesStay) {
  Make({"Text"});
  const std::string tty = "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\3\\TTY.GPD";
  WriteFile(tty, "tty");
  char driver[] = "generic / text only";
  EXPECT_FALSE(DeletePrinterDriverA(nullptr, env_, driver));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PRINTER_DRIVER_IN_USE));
  char other[] = "Windows 4.0";
  EXPECT_FALSE(DeletePrinterDriverA(nullptr, other, driver));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ENVIRONMENT));

  HANDLE printer = Open("Text", &all_);
  ASSERT_TRUE(DeletePrinter(printer));
  ClosePrinter(printer);
  EXPECT_TRUE(DeletePrinterDriverA(nullptr, nullptr, driver));  // no environment: the machine's own
  EXPECT_FALSE(spooler::FindDriver("Generic / Text Only"));
  EXPECT_EQ(ReadFile(tty), "tty");
  EXPECT_FALSE(DeletePrinterDriverA(nullptr, env_, driver));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_UNKNOWN_PRINTER_DRIVER));
  EXPECT_EQ(TraceLines("spooler.deletedriver").back(),
            "spooler.deletedriver generic / text only env=\"Windows NT x86\" -> error 1797");
}

TEST_F(SpoolerDeleteTest, AUserRemovesNeitherPrintersNorDrivers) {
  Make({"Text"}, /*admin=*/false);
  HANDLE printer = Open("Text", nullptr);
  EXPECT_FALSE(DeletePrinter(printer));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  ClosePrinter(printer);
  char driver[] = "Generic / Text Only";
  EXPECT_FALSE(DeletePrinterDriverA(nullptr, env_, driver));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Names(), std::vector<std::string>{"Text"});
  EXPECT_TRUE(spooler::FindDriver("Generic / Text Only"));
}

}  // namespace
