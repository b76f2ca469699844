// The INF staged for a printer name other than the model name names the files staged for it.
#include <gtest/gtest.h>

#include <cstring>

#include "install/InfForPrinterName.h"
#include "install/WizardInstallHost.h"
#include "shared/SetupApp.h"
#include "shared/globals.h"
#include "support/machine_fixture.h"

namespace {

TEST(InfForPrinterName, RenamesEveryDriverFileTokenAndKeepsModelSectionsAndLineEnds) {
  std::string inf =
      "[Manufacturer]\r\n\"K7X\"=Driver_K7X,NTx86\r\n[Driver_K7X.NTx86]\r\n\"K7X\" = Driver_Files,K7X_RECEIPT\r\n"
      "[Driver_Files]\r\nCopyFiles=@K7X.GPD,@ZIKU.UFM,@k7x.ini,@K7XRES.DLL,DriverFiles\r\nDataFile=K7X.GPD\r\n"
      "[DriverFiles]\r\nK7XD.DLL\r\nK7XF.dll\r\n[SourceDisksFiles.x86]\r\nK7XD.DLL=1,x86\r\n"
      "; not file names: XK7X.GPD K7X.GPDX K7XRES.DLL2 K7X.INF\n";
  EXPECT_EQ(InfForPrinterName(inf, "K7X80"),
            "[Manufacturer]\r\n\"K7X\"=Driver_K7X,NTx86\r\n[Driver_K7X.NTx86]\r\n\"K7X\" = Driver_Files,K7X_RECEIPT\r\n"
            "[Driver_Files]\r\nCopyFiles=@K7X80.GPD,@ZIKU.UFM,@K7X80.ini,@K7X80RES.DLL,DriverFiles\r\n"
            "DataFile=K7X80.GPD\r\n[DriverFiles]\r\nK7X80D.DLL\r\nK7X80F.dll\r\n[SourceDisksFiles.x86]\r\n"
            "K7X80D.DLL=1,x86\r\n; not file names: XK7X.GPD K7X.GPDX K7XRES.DLL2 K7X.INF\n");
  // A GBK name goes in as its bytes.
  EXPECT_EQ(InfForPrinterName("DataFile=K7X.GPD\r\n", "\xc6\xb1\xbe\xdd"), "DataFile=\xc6\xb1\xbe\xdd.GPD\r\n");
}

class StagedInfTest : public k7x::test::MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    CreateDirectoryA("C:\\TEMP", nullptr);
  }
  CWizardInstallHost writer{theApp, nullptr};
};

TEST_F(StagedInfTest, TheShippedInfIsStagedByteForByteForTheModelNameAndRenamedForAnother) {
  std::strcpy(g_PrinterName, "K7X");
  StageInfForPrinterName(writer, "C:\\TEMP\\K7X.INF");
  std::string shipped = ReadFile("C:\\TEMP\\K7X.INF");
  ASSERT_EQ(shipped.size(), 1568u);
  std::strcpy(g_PrinterName, "K7X80");
  StageInfForPrinterName(writer, "C:\\TEMP\\K7X80.INF");
  std::string renamed = ReadFile("C:\\TEMP\\K7X80.INF");
  EXPECT_EQ(renamed, InfForPrinterName(shipped, "K7X80"));
  EXPECT_NE(renamed.find("DataFile=K7X80.GPD"), std::string::npos);
  EXPECT_NE(renamed.find("\"K7X\"=Driver_K7X,NTx86"), std::string::npos);
  EXPECT_EQ(renamed.find("K7X.GPD"), std::string::npos);
}

}  // namespace
