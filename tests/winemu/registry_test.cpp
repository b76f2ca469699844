// The registry: the text form of a root, the functions' Windows rules, persistence and the trace.
#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "support/machine_fixture.h"
#include "winemu/advapi32/reg_describe.h"
#include "winemu/advapi32/reg_text.h"
#include "winemu/advapi32/registry.h"

namespace {

using winemu::reg::Key;
using winemu::reg::ParseRegistryText;
using winemu::reg::SerializeRegistryText;

// ---- the text form ------------------------------------------------------------------------------

TEST(RegistryText, EveryByteOfNamesAndDataRoundTrips) {
  Key root("", 936);
  Key& key = root.AddChild("Soft%ware").AddChild("K7X \"printer\"");
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  key.SetValue("Publisher", REG_SZ, "K7X printer");  // no terminator
  key.SetValue("", REG_BINARY, all);
  key.SetValue("\xB8\xB1\xB1\xBE", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
  key.SetValue("Odd", 0x1234, "\x01\x02");
  std::string text = SerializeRegistryText(root, "HKLM");

  auto parsed = ParseRegistryText(text, "HKLM", 936);
  ASSERT_TRUE(parsed.root) << parsed.error;
  const Key* back = parsed.root->Child("SOFT%WARE")->Child("k7x \"PRINTER\"");
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(back->Values().size(), 4u);
  EXPECT_EQ(back->FindValue("Publisher")->data, "K7X printer");
  EXPECT_EQ(back->FindValue("")->data, all);
  EXPECT_EQ(back->FindValue("")->type, static_cast<std::uint32_t>(REG_BINARY));
  EXPECT_EQ(back->FindValue("\xB8\xB1\xB1\xBE")->data, std::string("a\0b\0\0", 5));
  EXPECT_EQ(back->FindValue("Odd")->type, 0x1234u);
  EXPECT_EQ(SerializeRegistryText(*parsed.root, "HKLM"), text);
  // A string without terminator is written as it is, and stays readable.
  EXPECT_NE(text.find("value \"Publisher\" REG_SZ 11 \"K7X printer\"\n"), std::string::npos) << text;
}

TEST(RegistryText, EmptyKeysSurvive) {
  Key root("", 1252);
  root.AddChild("A").AddChild("Empty");
  auto parsed = ParseRegistryText(SerializeRegistryText(root, "HKCU"), "HKCU", 1252);
  ASSERT_TRUE(parsed.root) << parsed.error;
  ASSERT_NE(parsed.root->Child("a"), nullptr);
  EXPECT_NE(parsed.root->Child("a")->Child("EMPTY"), nullptr);
}

TEST(RegistryText, RejectsWhatItCannotReadNamingTheLine) {
  struct Case {
    std::string text;
    std::string error;
  } cases[] = {
      {"", "line 1: not a winemu registry file"},
      {"WINEMU REGISTRY 1 HKCU\n", "line 1: the file holds root 'HKCU', not 'HKLM'"},
      {"WINEMU REGISTRY 1 HKLM\nvalue \"a\" REG_SZ 1 \"x\"\n", "line 2: value before the first key line"},
      {"WINEMU REGISTRY 1 HKLM\nkey \"A\"\nvalue \"a\" REG_SZ 2 \"x\"\n", "line 3: value 'a': 1 data bytes, count says 2"},
      {"WINEMU REGISTRY 1 HKLM\nkey \"A\"\nvalue \"a\" REG_FOO 1 \"x\"\n", "line 3: value 'a': unknown type 'REG_FOO'"},
      {"WINEMU REGISTRY 1 HKLM\nkey \"A\\\\B\"\n", "line 2: key: empty name in path"},
      {"WINEMU REGISTRY 1 HKLM\nkey \"A\"\nkey \"a\"\n", "line 3: key 'a' is listed twice"},
      {"WINEMU REGISTRY 1 HKLM\nkey \"A\"\nvalue \"v\" REG_SZ 0 \"\"\nvalue \"V\" REG_SZ 0 \"\"\n",
       "line 4: value 'V' is listed twice"},
      {"WINEMU REGISTRY 1 HKLM\nkey \"A\nB\"\n", "line 2: key: quoted text without its closing"},
      {"WINEMU REGISTRY 1 HKLM\nkey \"A\tB\"\n", "line 2: key: byte 0x09 must be written %09"},
      {"WINEMU REGISTRY 1 HKLM\nkey \"A\"\nvalue \"v\" REG_BINARY 1 hex:0\n", "line 3: value 'v': hex data needs pairs"},
      {"WINEMU REGISTRY 1 HKLM\nkey \"A\"\nvalue \"v\" REG_BINARY x hex:00\n", "line 3: value 'v': byte count 'x'"},
      {"WINEMU REGISTRY 1 HKLM\nnonsense\n", "line 2: expected a 'key' or 'value' line"},
  };
  for (const Case& c : cases) {
    auto parsed = ParseRegistryText(c.text, "HKLM", 1252);
    EXPECT_FALSE(parsed.root) << c.text;
    EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << "got: " << parsed.error << "\nfor: " << c.text;
  }
}

TEST(RegistryText, NeverReadsPastTheEndOfItsInput) {
  // Cut the text at every length: each prefix is either read or refused, never overrun (the
  // sanitizers watch the reads; the bytes after the prefix are not part of the view).
  std::string full = "WINEMU REGISTRY 1 HKLM\nkey \"A\"\nvalue \"v\" REG_SZ 2 \"%41%42\"\nvalue \"b\" REG_BINARY 2 hex:01,02";
  for (size_t n = 0; n <= full.size(); ++n) {
    std::unique_ptr<char[]> exact(new char[n ? n : 1]);
    std::copy(full.begin(), full.begin() + n, exact.get());
    auto parsed = ParseRegistryText(std::string_view(exact.get(), n), "HKLM", 1252);
    EXPECT_TRUE(parsed.root || !parsed.error.empty()) << n;
    if (n == full.size()) {
      EXPECT_TRUE(parsed.root) << parsed.error;
    }
  }
}

// ---- the functions --------------------------------------------------------------------------------

class RegistryTest : public k7x::test::MachineTest {
 protected:
  HKEY Create(HKEY root, const char* path, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                              disposition),
              ERROR_SUCCESS)
        << path;
    return key;
  }
  LONG Open(HKEY root, const char* path, REGSAM sam, HKEY* key) { return RegOpenKeyExA(root, path, 0, sam, key); }
  // A string handed without its terminator, a NUL after it (which NT then stores too).
  LONG SetText(HKEY key, const char* name, const std::string& data) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
  }
  // A string of `count` bytes that is not followed by a NUL: stored as handed.
  LONG SetUnterminated(HKEY key, const char* name, const std::string& data) {
    std::string followed = data + "#";
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(followed.data()),
                          static_cast<DWORD>(data.size()));
  }
  // The value's bytes by the two-call protocol.
  std::string Query(HKEY key, const char* name, DWORD* type = nullptr) {
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, type, nullptr, &size), ERROR_SUCCESS) << name;
    std::string data(size, '\0');
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data.data()), &size), ERROR_SUCCESS);
    data.resize(size);
    return data;
  }
  std::string RegistryFile(const char* root) {
    std::ifstream in(dir() / "registry" / (std::string(root) + ".reg"), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Reopen() {
    winemu::Machine::Use(winemu::Machine::Open(dir()));  // a new process on the same machine
  }
};

TEST_F(RegistryTest, CreateMakesParentsAndTellsNewFromExisting) {
  DWORD disposition = 0;
  HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X Test\\A\\B", &disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  EXPECT_EQ(SetUnterminated(key, "v", "x"), ERROR_SUCCESS);
  RegCloseKey(key);
  key = Create(HKEY_LOCAL_MACHINE, "software\\k7x test\\a\\b\\", &disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  EXPECT_EQ(Query(key, "V"), "x");  // names match without case; the value is untouched
  RegCloseKey(key);
  HKEY bad = nullptr;
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &bad, nullptr),
            ERROR_BAD_PATHNAME);
  EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Missing", KEY_READ, &bad), ERROR_FILE_NOT_FOUND);
}

TEST(RegistryKeyPath, ATrailByteOf0x5CStaysInTheNameAndOnlyRealTrailingBackslashesGo) {
  using winemu::reg::SplitKeyPath;
  const std::vector<std::string> expected{"K7X", "\xa5\x5c"};  // K7X\功 in Big5: 功 is A5 5C
  EXPECT_EQ(SplitKeyPath("K7X\\\xa5\x5c", 950), expected);
  EXPECT_EQ(SplitKeyPath("K7X\\\xa5\x5c\\\\", 950), expected);
  EXPECT_EQ(SplitKeyPath("\\K7X", 950), std::nullopt);
  EXPECT_EQ(SplitKeyPath("\\", 950), std::nullopt);
  EXPECT_EQ(SplitKeyPath("K7X\\\\A", 950), std::nullopt);
}

TEST_F(RegistryTest, QueryFollowsTheTwoCallSizeProtocol) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\K7X");
  ASSERT_EQ(SetUnterminated(key, "Publisher", "K7X printer"), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Publisher", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 11u);
  char small[4] = {'?', '?', '?', '?'};
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExA(key, "Publisher", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 11u);
  char exact[12];
  std::memset(exact, '#', sizeof exact);
  size = 11;
  EXPECT_EQ(RegQueryValueExA(key, "Publisher", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size), ERROR_SUCCESS);
  EXPECT_EQ(std::string(exact, 12), "K7X printer#");  // no terminator was stored, none is added
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegQueryValueExA(key, "Publisher", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), nullptr),
            ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(RegistryTest, EveryChangeIsOnDiskAtOnceAndTheBytesComeBackInTheNextRun) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X");
  std::string binary("\0\x01\xFF\"%\n", 6);
  ASSERT_EQ(SetUnterminated(key, "NoTerminator", "abc"), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "Bytes", 0, REG_BINARY, reinterpret_cast<const BYTE*>(binary.data()), 6), ERROR_SUCCESS);
  // On disk before any exit: a crash now keeps it.
  EXPECT_NE(RegistryFile("HKLM").find("value \"NoTerminator\" REG_SZ 3 \"abc\"\n"), std::string::npos);
  RegCloseKey(key);

  Reopen();
  HKEY again = nullptr;
  ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X", KEY_READ, &again), ERROR_SUCCESS);
  DWORD type = 0;
  EXPECT_EQ(Query(again, "NoTerminator", &type), "abc");
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Query(again, "Bytes", &type), binary);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  RegCloseKey(again);

  // The file shrinks with the registry: nothing of the longer text is left behind it.
  ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X", KEY_SET_VALUE, &again), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValueA(again, "Bytes"), ERROR_SUCCESS);
  RegCloseKey(again);
  EXPECT_EQ(RegistryFile("HKLM").find("Bytes"), std::string::npos);
  Reopen();
  ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X", KEY_READ, &again), ERROR_SUCCESS);
  EXPECT_EQ(Query(again, "NoTerminator"), "abc");
  RegCloseKey(again);
}

TEST_F(RegistryTest, AStringsTerminatorLeftOutOfItsSizeIsStoredWhenTheByteAfterIsNul) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\K7X");
  ASSERT_EQ(SetText(key, "Counted", "abc"), ERROR_SUCCESS);
  EXPECT_EQ(Query(key, "Counted"), std::string("abc", 4));
  ASSERT_EQ(SetUnterminated(key, "Exact", "abc"), ERROR_SUCCESS);
  EXPECT_EQ(Query(key, "Exact"), "abc");
  const char binary[] = "ab";
  ASSERT_EQ(RegSetValueExA(key, "Bytes", 0, REG_BINARY, reinterpret_cast<const BYTE*>(binary), 2), ERROR_SUCCESS);
  EXPECT_EQ(Query(key, "Bytes"), "ab");  // only strings
  ASSERT_EQ(SetText(key, "Empty", ""), ERROR_SUCCESS);
  EXPECT_EQ(Query(key, "Empty"), "");
  RegCloseKey(key);
}

TEST_F(RegistryTest, DeleteKeyRefusesAKeyWithSubkeys) {
  RegCloseKey(Create(HKEY_CURRENT_USER, "Printers\\K7X\\Settings"));
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Printers\\K7X"), ERROR_ACCESS_DENIED);
  HKEY key = nullptr;
  EXPECT_EQ(Open(HKEY_CURRENT_USER, "Printers\\K7X\\Settings", KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Printers\\K7X\\Settings"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Printers\\K7X"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Printers\\K7X"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open(HKEY_CURRENT_USER, "Printers\\K7X", KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, AHandleWhoseKeyWasDeletedSaysSo) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\Gone");
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Gone"), ERROR_SUCCESS);
  EXPECT_EQ(SetText(key, "v", "x"), ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, CurrentControlSetIsControlSet001UnderHklmOnly) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, "SYSTEM\\currentcontrolset\\Control\\K7X Test");
  ASSERT_EQ(SetUnterminated(key, "v", "1"), ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Control\\K7X Test", KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(Query(key, "v"), "1");
  RegCloseKey(key);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Control\\K7X Test"), ERROR_SUCCESS);
  EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\K7X Test", KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  // Under HKCC the hardware profile's System\CurrentControlSet is a key of its own.
  RegCloseKey(Create(HKEY_CURRENT_CONFIG, "System\\CurrentControlSet\\Control\\K7X Test"));
  EXPECT_EQ(Open(HKEY_CURRENT_CONFIG, "System\\ControlSet001\\Control\\K7X Test", KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  // The link is listed beside the set it names; the file holds the set only.
  ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SYSTEM", KEY_READ, &key), ERROR_SUCCESS);
  std::vector<std::string> names;
  char name[64];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof name;
    if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, size);
  }
  RegCloseKey(key);
  EXPECT_EQ(names, (std::vector<std::string>{"ControlSet001", "CurrentControlSet"}));
  EXPECT_EQ(RegistryFile("HKLM").find("CurrentControlSet"), std::string::npos);
}

TEST_F(RegistryTest, EnumerationListsSubkeysByNameAndValuesInTheirOrder) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\List");
  for (const char* sub : {"beta", "Alpha", "GAMMA"}) RegCloseKey(Create(key, sub));
  for (const char* value : {"z", "a", "m"}) SetText(key, value, value);
  char name[16];
  std::vector<std::string> keys, values;
  DWORD size = 0;
  for (DWORD i = 0; size = sizeof name, RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == 0; ++i)
    keys.push_back(name);
  for (DWORD i = 0; size = sizeof name, RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == 0; ++i)
    values.push_back(name);
  EXPECT_EQ(keys, (std::vector<std::string>{"Alpha", "beta", "GAMMA"}));
  EXPECT_EQ(values, (std::vector<std::string>{"z", "a", "m"}));
  size = 5;  // "Alpha" needs 6 with its terminator
  EXPECT_EQ(RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  size = sizeof name;
  EXPECT_EQ(RegEnumKeyExA(key, 3, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(RegDeleteValueA(key, "A"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key, "a"), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(RegistryTest, AUserWithoutAdministratorRightsCannotChangeHklm) {
  winemu::CreateOptions user;
  user.admin = false;
  MakeMachine(user);
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft", KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft", KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(SetText(key, "v", "x"), ERROR_ACCESS_DENIED);
  RegCloseKey(key);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Control\\Print\\Forms"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Control\\Print\\Forms", KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  // The user's own root stays theirs.
  key = Create(HKEY_CURRENT_USER, "Software\\Mine");
  EXPECT_EQ(SetText(key, "v", "x"), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(RegistryTest, EveryChangeIsTracedWithItsResult) {
  machine().ClearTrace();
  HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X printer");
  SetText(key, "Publisher", "K7X printer");
  RegDeleteValueA(key, "Missing");
  RegCloseKey(key);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\K7X printer");
  EXPECT_EQ(TraceLines("reg."), (std::vector<std::string>{
                                    "reg.createkey HKLM\\SOFTWARE\\K7X printer -> ok",
                                    "reg.setvalue HKLM\\SOFTWARE\\K7X printer value=\"Publisher\" type=REG_SZ bytes=11 -> ok",
                                    "reg.deletevalue HKLM\\SOFTWARE\\K7X printer value=\"Missing\" -> error 2",
                                    "reg.deletekey HKLM\\SOFTWARE -> error 5",
                                    "reg.deletekey HKLM\\SOFTWARE\\K7X printer -> ok",
                                }));
}

TEST_F(RegistryTest, AFileThatCannotBeReadStopsTheMachineWithFileAndLine) {
  {
    std::ofstream out(dir() / "registry" / "HKCU.reg", std::ios::binary | std::ios::trunc);
    out << "WINEMU REGISTRY 1 HKCU\nkey \"A\"\nvalue \"v\" REG_SZ 9 \"short\"\n";
  }
  Reopen();
  try {
    HKEY key = nullptr;
    Open(HKEY_CURRENT_USER, "A", KEY_READ, &key);
    FAIL() << "the bad file was accepted";
  } catch (const winemu::MachineError& e) {
    EXPECT_NE(std::string(e.what()).find("HKCU.reg: line 3: value 'v': 5 data bytes, count says 9"), std::string::npos)
        << e.what();
  }
}

TEST_F(RegistryTest, DescribeShowsValuesWithTypeByteCountAndDataThenSubkeys) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Shown");
  SetUnterminated(key, "Publisher", "K7X printer");
  SetText(key, "Quoted", std::string("a\"b\0", 4));
  BYTE dword[4] = {2, 0, 0, 0};
  RegSetValueExA(key, "Start", 0, REG_DWORD, dword, 4);
  RegCloseKey(Create(key, "Child"));
  RegCloseKey(key);
  winemu::reg::Registry fromDisk(dir() / "registry", 1252);
  std::string error;
  auto text = winemu::reg::DescribeKey(fromDisk, "HKEY_LOCAL_MACHINE\\software\\shown", 1252, error);
  ASSERT_TRUE(text) << error;
  EXPECT_EQ(*text,
            "HKLM\\software\\shown\n"
            "  value \"Publisher\" REG_SZ 11 \"K7X printer\"\n"
            "  value \"Quoted\" REG_SZ 4 \"a\\\"b\\0\"\n"
            "  value \"Start\" REG_DWORD 4 0x00000002 (2)\n"
            "  subkey \"Child\"\n");
  EXPECT_FALSE(winemu::reg::DescribeKey(fromDisk, "HKLM\\SOFTWARE\\Nothing", 1252, error));
  EXPECT_EQ(error, "no key HKLM\\SOFTWARE\\Nothing");
  EXPECT_FALSE(winemu::reg::DescribeKey(fromDisk, "HKXX\\SOFTWARE", 1252, error));
}

}  // namespace
