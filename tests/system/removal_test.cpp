// RemoveOldInstallation: the order of its effects, when old driver files go, the enumeration
// error box, the spooler restart around the key deletion, and unsafe or overlong names.
#include <fstream>
#include <sstream>

#include "removal_fixture.h"
#include "shared/SetupApp.h"
#include "winemu/ui/script_driver.h"
#include "winemu/winspool/spooler_store.h"

namespace {

using k7x::test::kDriverDir;
using k7x::test::RemovalTest;

const char* const kPatterns[] = {"%s.GPD", "%s.INI", "%sRES.dll", "%sD.dll", "%sF.dll"};
const std::string kUninstallKey = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::string FileName(const char* pattern, const std::string& p) {
  std::string name = pattern;
  return name.replace(name.find("%s"), 2, p);
}

class RemoveOldInstallationTest : public RemovalTest {
 protected:
  // The old driver files of P in the driver directory, its 3 subdirectory and C:\TEMP.
  void PlaceOldFiles(const std::string& p) {
    for (const std::string& dir : {kDriverDir, kDriverDir + "\\3", std::string("C:\\TEMP")})
      for (const char* pattern : kPatterns) WriteFile(dir + "\\" + FileName(pattern, p), "old");
  }
  // The file deletions of the three places in removal order, as the trace shows them.
  static std::vector<std::string> OldFileDeletions(const std::string& p, const char* result = "ok") {
    std::vector<std::string> out;
    for (const std::string& dir : {kDriverDir, kDriverDir + "\\3", std::string("C:\\temp")})
      for (const char* pattern : kPatterns)
        out.push_back("file.delete " + dir + "\\" + FileName(pattern, p) + " -> " + result);
    return out;
  }
  static void CreateKey(HKEY root, const char* path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  std::vector<std::string> RemovalEffects() const {
    return Effects({"file.delete", "reg.createkey", "reg.setvalue", "reg.deletekey", "spooler.deleteform",
                    "service.stop", "service.start", "sleep", "msgbox"});
  }
  static std::string PayloadInf() {
    std::ifstream in(K7X_SOURCE_DIR "/src/payload/files/K7X.INF", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(RemoveOldInstallationTest, OneEarlierPrinterRunsEveryStepInOrder) {
  MakeMachineWith({"K7X"});
  PlaceOldFiles("K7X");
  WriteFile("C:\\WINDOWS\\inf\\oem3.inf", PayloadInf());
  WriteFile("C:\\WINDOWS\\inf\\oem3.pnf", "pnf");
  winemu::spooler::AddForm("papersize(80x297mm)", 80000, 297000);
  CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet002\\Control\\Print\\Printers\\K7X");
  CreateKey(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Control\\Print\\Environments\\Windows NT x86\\Drivers\\Version-3\\K7X");
  CreateKey(HKEY_CURRENT_CONFIG, "System\\CurrentControlSet\\Control\\Print\\Printers\\K7X");
  CreateKey(HKEY_CURRENT_USER, "Printers\\K7X");
  machine().ClearTrace();

  testing::internal::CaptureStdout();
  RemoveOldInstallation();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "PortTalk: The PortTalk driver has been successfully started.\n"
            "PortTalk: The PortTalk driver is already running.\n");

  std::vector<std::string> expected = OldFileDeletions("K7X");
  std::string entry = kUninstallKey + "K7X printer";
  for (std::string line : {
           "reg.createkey " + entry + " -> ok",
           "reg.setvalue " + entry + " value=\"DisplayName\" type=REG_SZ bytes=28 -> ok",
           "reg.setvalue " + entry + " value=\"UninstallString\" type=REG_SZ bytes=57 -> ok",
           "reg.setvalue " + entry + " value=\"DisplayIcon\" type=REG_SZ bytes=60 -> ok",
           "reg.setvalue " + entry + " value=\"Publisher\" type=REG_SZ bytes=11 -> ok",
           "reg.setvalue " + entry + " value=\"QuietUninstallString\" type=REG_SZ bytes=66 -> ok",
           "reg.setvalue " + entry + " value=\"DisplayVersion\" type=REG_SZ bytes=3 -> ok",
           "reg.setvalue " + entry + " value=\"NoModify\" type=REG_DWORD bytes=4 -> ok",
           "reg.setvalue " + entry + " value=\"NoRepair\" type=REG_DWORD bytes=4 -> ok",
           std::string("file.delete C:\\WINDOWS\\inf\\oem3.inf -> ok"),
           std::string("file.delete C:\\WINDOWS\\inf\\oem3.pnf -> ok"),
           std::string("spooler.deleteform papersize(80x297mm) -> ok"),
           std::string("sleep 1000"),
           std::string("service.stop Spooler state=stopped -> ok"),
           std::string("service.stop Spooler state=stopped -> error 1062"),
           // the spooler's subkeys of the printer's key first, as RegDeleteKeyA wants
           std::string("reg.deletekey HKLM\\SYSTEM\\ControlSet001\\Control\\Print\\Printers\\K7X\\DsSpooler -> ok"),
           std::string("reg.deletekey HKLM\\SYSTEM\\ControlSet001\\Control\\Print\\Printers\\K7X\\PrinterDriverData -> ok"),
           std::string("reg.deletekey HKLM\\SYSTEM\\ControlSet001\\Control\\Print\\Printers\\K7X -> ok"),
           std::string("reg.deletekey HKLM\\SYSTEM\\ControlSet002\\Control\\Print\\Printers\\K7X -> ok"),
           std::string("reg.deletekey HKLM\\SYSTEM\\ControlSet003\\Control\\Print\\Printers\\K7X -> error 2"),
           // the same key as ControlSet001's, already gone
           std::string("reg.deletekey HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\K7X -> error 2"),
           std::string("reg.deletekey HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT "
                       "x86\\Drivers\\Version-3\\K7X -> ok"),
           std::string("reg.deletekey HKCC\\System\\CurrentControlSet\\Control\\Print\\Printers\\K7X -> ok"),
           std::string("reg.deletekey HKCU\\Printers\\K7X -> ok"),
           std::string("service.start Spooler state=running -> ok"),
           std::string("service.start Spooler state=running -> error 1056"),
           std::string("sleep 1000"),
       })
    expected.push_back(line);
  EXPECT_EQ(RemovalEffects(), expected);
  EXPECT_TRUE(winemu::spooler::Printers().empty());
  EXPECT_TRUE(winemu::spooler::Forms().empty());
}

TEST_F(RemoveOldInstallationTest, NoPrinterAtAllRemovesNoDriverFileButDoesEverythingElse) {
  PlaceOldFiles("K7X");
  machine().ClearTrace();
  testing::internal::CaptureStdout();
  RemoveOldInstallation();
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(Count("file.delete"), 0u);
  EXPECT_TRUE(Exists(kDriverDir + "\\K7X.GPD"));
  EXPECT_EQ(Count("reg.setvalue"), 8u);
  EXPECT_EQ(Count("spooler.deleteform papersize(80x297mm)"), 1u);
  EXPECT_EQ(Count("service.stop"), 2u);
  EXPECT_EQ(Count("reg.deletekey"), 7u);
  EXPECT_EQ(Count("service.start"), 2u);
  EXPECT_EQ(Count("sleep 1000"), 2u);
  EXPECT_EQ(Count("msgbox"), 0u);
}

TEST_F(RemoveOldInstallationTest, OldFilesGoOnlyForExactlyOnePrinterWhoseNameContainsP) {
  struct Case {
    std::vector<std::string> printers;
    size_t deletions;
  } cases[] = {
      {{"Receipt K7X"}, 15},
      {{"K7X"}, 15},
      {{"K7X", "Receipt K7X"}, 0},  // two or more: none
      {{"k7x"}, 0},                 // the match is case-sensitive
      {{"Other", "K7X (Copy 2)"}, 15},
  };
  for (const Case& c : cases) {
    MakeMachineWith(c.printers);
    PlaceOldFiles("K7X");
    machine().ClearTrace();
    testing::internal::CaptureStdout();
    RemoveOldInstallation();
    testing::internal::GetCapturedStdout();
    std::vector<std::string> deletions = Effects({"file.delete"});
    EXPECT_EQ(deletions.size(), c.deletions) << c.printers.front();
    if (c.deletions) {
      EXPECT_EQ(deletions, OldFileDeletions("K7X")) << c.printers.front();
    }
  }
}

TEST_F(RemoveOldInstallationTest, AnotherPrinterNameNamesTheFilesAndTheEntryButNotTheKeys) {
  MakeMachineWith({"POS80"});
  SetPrinterName("POS80");
  PlaceOldFiles("POS80");
  WriteFile("C:\\WINDOWS\\inf\\oem2.inf", PayloadInf());
  CreateKey(HKEY_CURRENT_USER, "Printers\\POS80");
  machine().ClearTrace();
  testing::internal::CaptureStdout();
  RemoveOldInstallation();
  testing::internal::GetCapturedStdout();
  std::vector<std::string> deletions = Effects({"file.delete"});
  ASSERT_EQ(deletions.size(), 17u);
  EXPECT_EQ(std::vector<std::string>(deletions.begin(), deletions.begin() + 15), OldFileDeletions("POS80"));
  EXPECT_EQ(deletions[15], "file.delete C:\\WINDOWS\\inf\\oem2.inf -> ok");  // still recognised by K7X
  EXPECT_EQ(MachineValue("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\POS80 printer", "Publisher"),
            std::string("POS80 printer", 14));
  EXPECT_EQ(Effects({"reg.deletekey"}).back(), "reg.deletekey HKCU\\Printers\\K7X -> error 2");
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Printers\\POS80"));
  EXPECT_TRUE(winemu::spooler::FindPrinter("POS80"));  // the keys deleted are the model's
}

TEST_F(RemoveOldInstallationTest, AFailingEnumerationShowsTheSystemsTextAndStopsBeforeTheSpooler) {
  for (auto [fault, text] : {std::pair{"", "The RPC server is unavailable."},
                             std::pair{"87", "The parameter is incorrect."}}) {
    MakeMachineWith({"K7X"}, {{"enum_printers_fails", fault}});
    PlaceOldFiles("K7X");
    WriteFile("C:\\WINDOWS\\inf\\oem1.inf", PayloadInf());
    winemu::spooler::AddForm("papersize(80x297mm)", 80000, 297000);
    machine().ClearTrace();
    winemu::ui::ScriptDriver user;
    user.Answer();  // the box waits for its OK
    testing::internal::CaptureStdout();
    RemoveOldInstallation();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(user.Remaining(), 0u);

    std::vector<std::string> effects = RemovalEffects();
    ASSERT_EQ(effects.size(), 12u) << fault;  // entry (1 + 8), INF pair, the box: nothing after it
    EXPECT_EQ(effects[0].rfind("reg.createkey ", 0), 0u);  // step 2 counted no printer: no file removed
    EXPECT_EQ(effects[9], "file.delete C:\\WINDOWS\\inf\\oem1.inf -> ok");
    const std::string& box = effects[11];
    EXPECT_EQ(box.rfind("msgbox ", 0), 0u) << box;
    EXPECT_NE(box.find("owner=none"), std::string::npos) << box;
    EXPECT_NE(box.find("style=0x00000040"), std::string::npos) << box;  // MB_OK | MB_ICONINFORMATION
    EXPECT_NE(box.find("caption=\"ERROR\""), std::string::npos) << box;
    EXPECT_NE(box.find(std::string("text=\"") + text), std::string::npos) << box;
    EXPECT_EQ(winemu::spooler::Forms().size(), 1u);
    EXPECT_TRUE(winemu::spooler::FindPrinter("K7X"));
  }
}

TEST_F(RemoveOldInstallationTest, TheModelsKeysGoWithEverythingBelowThemDeepestFirstAndOtherPrintersStay) {
  MakeMachineWith({"K7X", "Receipt"});
  const std::string printers = "SYSTEM\\ControlSet001\\Control\\Print\\Printers\\";
  CreateKey(HKEY_LOCAL_MACHINE, (printers + "K7X\\PrinterDriverData\\Trays").c_str());
  CreateKey(HKEY_CURRENT_USER, "Printers\\K7X\\Settings");
  machine().ClearTrace();
  testing::internal::CaptureStdout();
  RemoveOldInstallation();
  testing::internal::GetCapturedStdout();

  std::vector<std::string> deletions = Effects({"reg.deletekey"});
  const std::string k7x = "reg.deletekey HKLM\\" + printers + "K7X";
  std::vector<std::string> expected = {
      k7x + "\\DsSpooler -> ok", k7x + "\\PrinterDriverData\\Trays -> ok", k7x + "\\PrinterDriverData -> ok",
      k7x + " -> ok"};
  ASSERT_GE(deletions.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(deletions.begin(), deletions.begin() + 4), expected);
  EXPECT_EQ(deletions.end()[-2], "reg.deletekey HKCU\\Printers\\K7X\\Settings -> ok");
  EXPECT_EQ(deletions.end()[-1], "reg.deletekey HKCU\\Printers\\K7X -> ok");
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, printers + "K7X"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Printers\\K7X"));
  // The other printer keeps its key and what is below it.
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, printers + "Receipt\\PrinterDriverData"));
  ASSERT_EQ(winemu::spooler::Printers().size(), 1u);
  EXPECT_EQ(winemu::spooler::Printers()[0].name, "Receipt");
  EXPECT_EQ(Count("service.start"), 2u);
}

TEST_F(RemoveOldInstallationTest, WithoutAdministratorRightsNothingOfTheMachineChanges) {
  MakeMachineWith({"K7X"}, {}, /*admin=*/false);
  testing::internal::CaptureStdout();
  RemoveOldInstallation();
  std::string lines = testing::internal::GetCapturedStdout();
  EXPECT_EQ(lines.find("PortTalk: You do not have rights to access the Service Control Manager and\n"), 0u);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer"));
  EXPECT_TRUE(winemu::spooler::FindPrinter("K7X"));
  EXPECT_TRUE(winemu::spooler::SpoolerRunning());
  EXPECT_EQ(Count("msgbox"), 0u);
}

TEST_F(RemoveOldInstallationTest, WithoutADriverDirectoryNothingIsComposedFromIt) {
  // A stopped spooler reports neither printers nor a driver directory.
  MakeMachineWith({"K7X"}, {{"spooler_stopped", ""}});
  PlaceOldFiles("K7X");
  machine().ClearTrace();
  testing::internal::CaptureStdout();
  RemoveOldInstallation();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "PortTalk: The PortTalk driver has been successfully started.\n"
            "PortTalk: The PortTalk driver is already running.\n");
  EXPECT_EQ(Count("file.delete"), 0u);
  std::string entry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer";
  EXPECT_EQ(MachineValue(entry, "DisplayName"), std::string("K7X printer driver uninstall", 29));
  EXPECT_EQ(MachineValue(entry, "Publisher"), std::string("K7X printer", 12));
  EXPECT_EQ(MachineValue(entry, "UninstallString"), "<missing>");
  EXPECT_EQ(MachineValue(entry, "DisplayIcon"), "<missing>");
  EXPECT_EQ(MachineValue(entry, "QuietUninstallString"), "<missing>");
  EXPECT_EQ(Count("service.stop"), 2u);
  EXPECT_EQ(Count("reg.deletekey"), 9u);  // the seven keys and the two below the printer's
  EXPECT_TRUE(winemu::spooler::SpoolerRunning());
}

TEST_F(RemoveOldInstallationTest, LongNamesAreRefusedWholeNeverCutIntoAnotherFilesName) {
  std::string p(210, 'P');
  MakeMachineWith({p});
  SetPrinterName(p);
  machine().ClearTrace();
  testing::internal::CaptureStdout();
  RemoveOldInstallation();
  testing::internal::GetCapturedStdout();
  // Each deletion names a whole file of the table; those whose path would pass 259 characters
  // are left out, and so is the uninstall entry, whose key path would.
  auto pathOf = [](const std::string& line) { return line.substr(12, line.find(" -> ") - 12); };
  std::vector<std::string> deleted, wanted;
  for (const std::string& line : Effects({"file.delete"})) deleted.push_back(pathOf(line));
  for (const std::string& line : OldFileDeletions(p))
    if (pathOf(line).size() < MAX_PATH) wanted.push_back(pathOf(line));
  EXPECT_EQ(deleted, wanted);
  EXPECT_EQ(wanted.size(), 14u);  // D\3\<P>RES.dll would need 260 characters
  EXPECT_EQ(Count("reg.createkey"), 0u);
  EXPECT_EQ(Count("reg.setvalue"), 0u);
  EXPECT_EQ(Count("reg.deletekey"), 7u);
}

}  // namespace
