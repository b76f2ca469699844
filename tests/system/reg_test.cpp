// CReg: fixed roots, one Windows call per operation, success only for ERROR_SUCCESS.
#include "sys/Reg.h"

#include "removal_fixture.h"

namespace {

using k7x::test::RemovalTest;

class RegTest : public RemovalTest {
 protected:
  bool SetText(CReg& reg, const char* subKey, const char* name, const std::string& text) {
    return reg.SetValue(subKey, name, REG_SZ, reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()));
  }
};

TEST_F(RegTest, CreateKeyMakesParentsAndLeavesAnExistingKeysValuesAlone) {
  CReg reg;
  ASSERT_TRUE(reg.CreateKey("SOFTWARE\\K7X Test\\Deep\\Key"));
  ASSERT_TRUE(SetText(reg, "SOFTWARE\\K7X Test\\Deep\\Key", "Name", "value"));
  EXPECT_TRUE(reg.CreateKey("SOFTWARE\\K7X Test\\Deep\\Key"));
  EXPECT_EQ(MachineValue("SOFTWARE\\K7X Test\\Deep\\Key", "Name"), std::string("value", 6));  // with NT's terminator
  EXPECT_EQ(reg.m_hKey, nullptr);  // the operations keep no handle
}

TEST_F(RegTest, SetValuePassesTheByteCountThroughAndNeedsAnExistingKey) {
  CReg reg;
  ASSERT_TRUE(reg.CreateKey("SOFTWARE\\K7X Test"));
  DWORD type = 0;
  // 11 bytes of a longer text: stored as handed.
  ASSERT_TRUE(reg.SetValue("SOFTWARE\\K7X Test", "Publisher", REG_SZ, reinterpret_cast<const BYTE*>("K7X printer!"), 11));
  EXPECT_EQ(MachineValue("SOFTWARE\\K7X Test", "Publisher", &type), "K7X printer");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  ASSERT_TRUE(reg.SetValue("SOFTWARE\\K7X Test", "Counted", REG_SZ, reinterpret_cast<const BYTE*>("abc"), 4));
  EXPECT_EQ(MachineValue("SOFTWARE\\K7X Test", "Counted"), std::string("abc\0", 4));

  EXPECT_FALSE(SetText(reg, "SOFTWARE\\K7X Missing", "Name", "value"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X Missing"));
}

TEST_F(RegTest, DeleteRemovesOnlyAKeyWithoutSubkeys) {
  CReg reg;
  ASSERT_TRUE(reg.CreateKey("SOFTWARE\\K7X Test\\Child"));
  EXPECT_FALSE(reg.DeleteKey("SOFTWARE\\K7X Test"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X Test\\Child"));
  EXPECT_TRUE(reg.DeleteKey("SOFTWARE\\K7X Test\\Child"));
  EXPECT_TRUE(reg.DeleteKey("SOFTWARE\\K7X Test"));
  EXPECT_FALSE(reg.DeleteKey("SOFTWARE\\K7X Test"));
}

TEST_F(RegTest, DeleteSubkeysEmptiesAKeyToAnyDepthUnderTheRootItIsGiven) {
  CReg reg;
  for (const char* path : {"SOFTWARE\\K7X Test\\A\\A1\\A11", "SOFTWARE\\K7X Test\\B", "SOFTWARE\\K7X Sibling\\C"})
    ASSERT_TRUE(reg.CreateKey(path));
  ASSERT_TRUE(SetText(reg, "SOFTWARE\\K7X Test", "Kept", "value"));
  HKEY user = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\K7X Test\\U", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &user,
                            nullptr),
            ERROR_SUCCESS);
  RegCloseKey(user);
  machine().ClearTrace();

  EXPECT_TRUE(reg.DeleteSubkeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X Test"));
  EXPECT_EQ(TraceLines("reg.deletekey"), (std::vector<std::string>{
                                             "reg.deletekey HKLM\\SOFTWARE\\K7X Test\\A\\A1\\A11 -> ok",
                                             "reg.deletekey HKLM\\SOFTWARE\\K7X Test\\A\\A1 -> ok",
                                             "reg.deletekey HKLM\\SOFTWARE\\K7X Test\\A -> ok",
                                             "reg.deletekey HKLM\\SOFTWARE\\K7X Test\\B -> ok",
                                         }));
  // The key itself, its values, its sibling and the same path under another root stay.
  EXPECT_EQ(MachineValue("SOFTWARE\\K7X Test", "Kept"), std::string("value\0", 6));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X Sibling\\C"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\K7X Test\\U"));
  EXPECT_TRUE(reg.DeleteKey("SOFTWARE\\K7X Test"));
  EXPECT_FALSE(reg.DeleteSubkeys(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X Test"));
}

TEST_F(RegTest, DeleteSubkeysWithoutAdministratorRightsLeavesTheMachineKeysAndSaysSo) {
  MakeMachineWith({"K7X"}, {}, /*admin=*/false);
  CReg reg;
  const std::string printer = "SYSTEM\\ControlSet001\\Control\\Print\\Printers\\K7X";
  EXPECT_FALSE(reg.DeleteSubkeys(HKEY_LOCAL_MACHINE, printer));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, printer + "\\DsSpooler"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, printer + "\\PrinterDriverData"));
}

TEST_F(RegTest, TheThreeDeleteOperationsWorkUnderTheirOwnRoots) {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CURRENT_CONFIG}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, "Printers\\K7X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  CReg reg;
  EXPECT_TRUE(reg.DeleteUserKey("Printers\\K7X"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Printers\\K7X"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_CONFIG, "Printers\\K7X"));
  EXPECT_TRUE(reg.DeleteConfigKey("Printers\\K7X"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Printers\\K7X"));
  EXPECT_TRUE(reg.DeleteKey("Printers\\K7X"));
  EXPECT_FALSE(reg.DeleteUserKey("Printers\\K7X"));
  EXPECT_FALSE(reg.DeleteConfigKey("Printers\\K7X"));
}

TEST_F(RegTest, WithoutAdministratorRightsTheMachineRootRefusesQuietly) {
  MakeMachineWith({}, {}, /*admin=*/false);
  CReg reg;
  EXPECT_FALSE(reg.CreateKey("SOFTWARE\\K7X Test"));
  EXPECT_FALSE(SetText(reg, "SOFTWARE\\Microsoft", "Name", "value"));
  EXPECT_FALSE(reg.DeleteKey("SYSTEM\\ControlSet001\\Control\\Print\\Forms"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Control\\Print\\Forms"));
  EXPECT_TRUE(reg.DeleteUserKey("Printers"));  // the user's own root
  EXPECT_TRUE(TraceLines("msgbox").empty());
}

TEST_F(RegTest, TheDestructorClosesAHandleLeftInTheMember) {
  HKEY key = nullptr;
  {
    CReg reg;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &reg.m_hKey), ERROR_SUCCESS);
    key = reg.m_hKey;
    ASSERT_NE(key, nullptr);
  }
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

}  // namespace
