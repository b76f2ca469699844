// The uninstall entry: its key, its four REG_SZ values handed without terminator (NT stores the
// terminator that follows each text, as Windows does), their byte counts, the values deployment
// tools read after them, and what "winemu reg" shows of it from the machine's registry files.
#include <cstdio>
#include <filesystem>

#include "removal_fixture.h"
#include "shared/SetupApp.h"
#include "winemu/advapi32/reg_describe.h"

namespace {

using k7x::test::RemovalTest;

const std::string kEntryKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer";
const std::string kShownEntry =
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\K7X printer\n"
    "  value \"DisplayName\" REG_SZ 29 \"K7X printer driver uninstall\\0\"\n"
    "  value \"UninstallString\" REG_SZ 58 \"C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallK7X.exe\\0\"\n"
    "  value \"DisplayIcon\" REG_SZ 61 \"C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallK7X.exe,-0\\0\"\n"
    "  value \"Publisher\" REG_SZ 12 \"K7X printer\\0\"\n"
    "  value \"QuietUninstallString\" REG_SZ 67 "
    "\"\\\"C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallK7X.exe\\\" /quiet\\0\"\n"
    "  value \"DisplayVersion\" REG_SZ 4 \"1.0\\0\"\n"
    "  value \"NoModify\" REG_DWORD 4 0x00000001 (1)\n"
    "  value \"NoRepair\" REG_DWORD 4 0x00000001 (1)\n";
const size_t kEntryValues = 8;

class UninstallEntryTest : public RemovalTest {
 protected:
  void Remove() {
    testing::internal::CaptureStdout();
    RemoveOldInstallation();
    testing::internal::GetCapturedStdout();
  }
  // name, type, bytes of every value of a key, in order.
  struct Value {
    std::string name;
    DWORD type;
    std::string data;
    bool operator==(const Value&) const = default;
  };
  static std::vector<Value> Values(const std::string& subKey) {
    std::vector<Value> out;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    for (DWORD i = 0;; ++i) {
      char name[256];
      BYTE data[512];
      DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
      if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
      out.push_back({std::string(name, nameSize), type, std::string(reinterpret_cast<char*>(data), dataSize)});
    }
    RegCloseKey(key);
    return out;
  }
  static std::vector<std::string> UninstallEntries() {
    std::vector<std::string> out;
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0, KEY_READ, &key);
    char name[256];
    for (DWORD i = 0, size = sizeof name; RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == 0;
         ++i, size = sizeof name)
      out.push_back(name);
    RegCloseKey(key);
    return out;
  }
};

TEST_F(UninstallEntryTest, TheValuesAreExactlyTheTextsWithTheTerminatorNtAdds) {
  Remove();
  using namespace std::string_literals;
  const DWORD one = 1;
  const std::string oneBytes(reinterpret_cast<const char*>(&one), sizeof one);
  EXPECT_EQ(Values(kEntryKey),
            (std::vector<Value>{
                {"DisplayName", REG_SZ, "K7X printer driver uninstall\0"s},
                {"UninstallString", REG_SZ, "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallK7X.exe\0"s},
                {"DisplayIcon", REG_SZ, "C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallK7X.exe,-0\0"s},
                {"Publisher", REG_SZ, "K7X printer\0"s},
                {"QuietUninstallString", REG_SZ,
                 "\"C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallK7X.exe\" /quiet\0"s},
                {"DisplayVersion", REG_SZ, "1.0\0"s},
                {"NoModify", REG_DWORD, oneBytes},
                {"NoRepair", REG_DWORD, oneBytes},
            }));
}

TEST_F(UninstallEntryTest, TheRegistryFileShowsTheCounts28_57_60And11HandedPlusTheTerminator) {
  Remove();
  // Read back from the files on disk, as "winemu reg M KEY" reads them.
  winemu::reg::Registry fromDisk(dir() / "registry", machine().Config().codePage);
  std::string error;
  auto shown = winemu::reg::DescribeKey(fromDisk, "HKLM\\" + kEntryKey, machine().Config().codePage, error);
  ASSERT_TRUE(shown) << error;
  EXPECT_EQ(*shown, kShownEntry);

  // And the command itself, when it has been built beside the tests.
  std::filesystem::path command = std::filesystem::path(K7X_BUILD_DIR) / "winemu";
  if (!std::filesystem::exists(command)) GTEST_SKIP() << "no winemu command in " << K7X_BUILD_DIR;
  std::string line = command.string() + " reg '" + dir().string() + "' 'HKLM\\" + kEntryKey + "'";
  FILE* out = popen(line.c_str(), "r");
  ASSERT_NE(out, nullptr);
  std::string printed;
  char buffer[256];
  while (size_t n = fread(buffer, 1, sizeof buffer, out)) printed.append(buffer, n);
  EXPECT_EQ(pclose(out), 0);
  EXPECT_EQ(printed, kShownEntry);
}

TEST_F(UninstallEntryTest, ASecondRunRewritesTheSameEntry) {
  Remove();
  Remove();
  EXPECT_EQ(UninstallEntries(), std::vector<std::string>{"K7X printer"});
  EXPECT_EQ(Values(kEntryKey).size(), kEntryValues);
}

TEST_F(UninstallEntryTest, AnotherPrinterNameMakesASeparateEntryAndTheEarlierStays) {
  Remove();
  SetPrinterName("POS80");
  Remove();
  EXPECT_EQ(UninstallEntries(), (std::vector<std::string>{"K7X printer", "POS80 printer"}));
  std::vector<Value> values = Values("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\POS80 printer");
  ASSERT_EQ(values.size(), kEntryValues);
  values.resize(4);
  EXPECT_EQ(values,
            (std::vector<Value>{
                {"DisplayName", REG_SZ, std::string("POS80 printer driver uninstall", 31)},
                {"UninstallString", REG_SZ, std::string("C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallPOS80.exe", 60)},
                {"DisplayIcon", REG_SZ, std::string("C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstallPOS80.exe,-0", 63)},
                {"Publisher", REG_SZ, std::string("POS80 printer", 14)},
            }));
  EXPECT_EQ(Values(kEntryKey).size(), kEntryValues);
}

TEST_F(UninstallEntryTest, TheLongestAcceptedNameGetsEveryValueAndALongerKeyNone) {
  std::string p(196, 'N');  // the quiet command is then 259 characters
  SetPrinterName(p);
  Remove();
  std::vector<Value> values = Values("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + p + " printer");
  ASSERT_EQ(values.size(), kEntryValues);
  EXPECT_EQ(values[4].data,
            "\"C:\\WINDOWS\\System32\\spool\\DRIVERS\\W32X86\\uninstall" + p + ".exe\" /quiet" + std::string(1, '\0'));
  SetPrinterName(std::string(200, 'N'));  // the key path would be 260 characters
  Remove();
  EXPECT_EQ(UninstallEntries().size(), 1u);
}

}  // namespace
