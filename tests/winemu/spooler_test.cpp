// The spooler: driver directory, level-2 enumeration with the two-call protocol, forms, the
// stopped spooler, and the printers a machine is made with.
#include <windows.h>

#include <cstdio>
#include <filesystem>

#include "support/machine_fixture.h"
#include "winemu/winspool/spooler_store.h"

namespace {

namespace spooler = winemu::spooler;

class SpoolerTest : public k7x::test::MachineTest {
 protected:
  char env_[32] = "Windows NT x86";
};

TEST_F(SpoolerTest, TheDriverDirectoryIsReportedForTheEnvironmentsNtKnows) {
  char dir[260];
  DWORD needed = 0;
  ASSERT_TRUE(GetPrinterDriverDirectoryA(nullptr, env_, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed));
  EXPECT_STREQ(dir, "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86");
  EXPECT_EQ(needed, 41u);
  EXPECT_TRUE(Exists(std::string(dir) + "\\3"));

  EXPECT_FALSE(GetPrinterDriverDirectoryA(nullptr, env_, 1, reinterpret_cast<BYTE*>(dir), 40, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(needed, 41u);
  char other[] = "windows 4.0";
  ASSERT_TRUE(GetPrinterDriverDirectoryA(nullptr, other, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed));
  EXPECT_STREQ(dir, "C:\\WINDOWS\\System32\\spool\\DRIVERS\\WIN40");
  char unknown[] = "Windows 95";
  EXPECT_FALSE(GetPrinterDriverDirectoryA(nullptr, unknown, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ENVIRONMENT));
  EXPECT_FALSE(GetPrinterDriverDirectoryA(nullptr, env_, 2, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
}

TEST_F(SpoolerTest, NoPrinterMeansSuccessAndNothingNeeded) {
  DWORD needed = 99, returned = 99;
  EXPECT_TRUE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned));
  EXPECT_EQ(needed, 0u);
  EXPECT_EQ(returned, 0u);
}

TEST_F(SpoolerTest, EnumerationPacksLevel2RecordsAndTheirStringsIntoTheCallersBuffer) {
  MakeMachineWith({"K7X", "Receipt K7X"});
  DWORD needed = 0, returned = 0;
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_GT(needed, 2 * sizeof(PRINTER_INFO_2A));
  std::vector<BYTE> small(needed - 1);
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, small.data(), needed - 1, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned));
  ASSERT_EQ(returned, 2u);
  const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  const char* strings = reinterpret_cast<const char*>(buffer.data() + 2 * sizeof(PRINTER_INFO_2A));
  const char* end = reinterpret_cast<const char*>(buffer.data() + needed);
  for (DWORD i = 0; i < returned; ++i) {
    for (const char* s : {info[i].pPrinterName, info[i].pPortName, info[i].pDriverName, info[i].pDatatype}) {
      ASSERT_NE(s, nullptr);
      EXPECT_GE(s, strings);  // after the records, inside the buffer
      EXPECT_LT(s, end);
    }
    EXPECT_STREQ(info[i].pPortName, "LPT1:");
    EXPECT_STREQ(info[i].pDriverName, "Generic / Text Only");
    EXPECT_EQ(info[i].Attributes & PRINTER_ATTRIBUTE_LOCAL, static_cast<DWORD>(PRINTER_ATTRIBUTE_LOCAL));
  }
  EXPECT_STREQ(info[0].pPrinterName, "K7X");
  EXPECT_STREQ(info[1].pPrinterName, "Receipt K7X");
}

TEST_F(SpoolerTest, TheEnumerationFaultFailsOnlyTheSizedCall) {
  MakeMachineWith({"K7X"}, {{"enum_printers_fails", ""}});
  DWORD needed = 0, returned = 0;
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  ASSERT_GT(needed, 0u);
  std::vector<BYTE> buffer(needed);
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
  EXPECT_EQ(returned, 0u);

  MakeMachineWith({"K7X"}, {{"enum_printers_fails", "87"}});
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  buffer.assign(needed, 0);
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(SpoolerTest, AStoppedSpoolerAnswersEveryCallWithRpcServerUnavailable) {
  MakeMachineWith({"K7X"}, {{"spooler_stopped", ""}});
  char dir[260];
  DWORD needed = 0, returned = 0;
  EXPECT_FALSE(GetPrinterDriverDirectoryA(nullptr, env_, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
  EXPECT_EQ(needed, 0u);
  HANDLE server = nullptr;
  EXPECT_FALSE(OpenPrinterA(nullptr, &server, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
}

TEST_F(SpoolerTest, AFormIsDeletedThroughThePrintServer) {
  spooler::AddForm("papersize(80x297mm)", 80000, 297000);
  spooler::AddForm("58x297mm roll paper", 58000, 297000);
  machine().ClearTrace();
  HANDLE server = nullptr;
  ASSERT_TRUE(OpenPrinterA(nullptr, &server, nullptr));
  char form[] = "papersize(80x297mm)";
  EXPECT_TRUE(DeleteFormA(server, form));
  EXPECT_EQ(spooler::Forms(), std::vector<std::string>{"58x297mm roll paper"});
  EXPECT_FALSE(DeleteFormA(server, form));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FORM_NAME));
  EXPECT_TRUE(ClosePrinter(server));
  EXPECT_FALSE(DeleteFormA(server, form));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(TraceLines("spooler."), (std::vector<std::string>{
                                        "spooler.openprinter (server) -> ok",
                                        "spooler.deleteform papersize(80x297mm) -> ok",
                                        "spooler.deleteform papersize(80x297mm) -> error 1902",
                                        "spooler.closeprinter (server) -> ok",
                                        "spooler.deleteform papersize(80x297mm) -> error 6",
                                    }));
}

TEST_F(SpoolerTest, AUserCannotDeleteForms) {
  MakeMachineWith({}, {}, /*admin=*/false);
  spooler::AddForm("papersize(80x297mm)", 80000, 297000);
  HANDLE server = nullptr;
  ASSERT_TRUE(OpenPrinterA(nullptr, &server, nullptr));
  char form[] = "papersize(80x297mm)";
  EXPECT_FALSE(DeleteFormA(server, form));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(spooler::Forms().size(), 1u);
  ClosePrinter(server);
}

TEST_F(SpoolerTest, PrintersOpenByNameWithoutCase) {
  MakeMachineWith({"K7X"});
  HANDLE printer = nullptr;
  char name[] = "k7x";
  EXPECT_TRUE(OpenPrinterA(name, &printer, nullptr));
  ClosePrinter(printer);
  char missing[] = "Nope";
  EXPECT_FALSE(OpenPrinterA(missing, &printer, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
}

TEST_F(SpoolerTest, AMachineIsMadeWithItsPrintersAndTheFirstAsDefault) {
  MakeMachineWith({"Receipt K7X", "K7X"});
  auto printers = spooler::Printers();
  ASSERT_EQ(printers.size(), 2u);
  EXPECT_EQ(printers[0].name, "K7X");  // listed by name, as the registry lists them
  EXPECT_EQ(printers[1].name, "Receipt K7X");
  EXPECT_EQ(spooler::DefaultPrinter(), "Receipt K7X");
  auto driver = spooler::FindDriver("generic / text only");
  ASSERT_TRUE(driver);
  EXPECT_EQ(driver->dataFile, "TTY.GPD");
  EXPECT_EQ(spooler::FindPrinter("receipt k7x")->port, "LPT1:");
}

TEST_F(SpoolerTest, PrintersAddedAndMadeDefaultAreSeenByTheSpoolerCalls) {
  spooler::PrinterRecord p;
  p.name = "K7X";
  p.driver = "K7X";
  p.port = "LPT1:";
  spooler::AddPrinter(p);
  spooler::SetDefaultPrinter("k7x");
  spooler::SetDefaultPrinter("Missing");
  EXPECT_EQ(spooler::DefaultPrinter(), "K7X");
  DWORD needed = 0, returned = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &returned));
  ASSERT_EQ(returned, 1u);
  EXPECT_STREQ(reinterpret_cast<PRINTER_INFO_2A*>(buffer.data())->pPrinterName, "K7X");
  EXPECT_EQ(TraceLines("spooler.set"), (std::vector<std::string>{"spooler.setdefault K7X -> ok",
                                                                 "spooler.setdefault Missing -> error 1801"}));
}

TEST_F(SpoolerTest, ThePrintersCommandListsDriverAndPortAndMarksTheDefault) {
  std::filesystem::path command = std::filesystem::path(K7X_BUILD_DIR) / "winemu";
  if (!std::filesystem::exists(command)) GTEST_SKIP() << "no winemu command in " << K7X_BUILD_DIR;
  MakeMachineWith({"Receipt K7X", "K7X"});
  FILE* out = popen((command.string() + " printers '" + dir().string() + "'").c_str(), "r");
  ASSERT_NE(out, nullptr);
  std::string printed;
  char buffer[256];
  while (size_t n = fread(buffer, 1, sizeof buffer, out)) printed.append(buffer, n);
  EXPECT_EQ(pclose(out), 0);
  EXPECT_EQ(printed,
            "  K7X  driver=\"Generic / Text Only\" port=LPT1:\n"
            "* Receipt K7X  driver=\"Generic / Text Only\" port=LPT1:\n");
}

}  // namespace
