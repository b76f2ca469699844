// Registry files in regedit's format: each type written as regedit writes it, byte counts that
// round-trip through export and import, and lines that cannot be read refused with file and line.
#include <gtest/gtest.h>

#include "winemu/advapi32/reg_file.h"
#include "winemu/machine/codepage.h"

namespace {

using namespace winemu::reg;

std::string Utf8Of(const std::string& bytes) {
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  std::u16string wide;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    wide += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
  return winemu::WideToUtf8(wide);
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

FileKey KeyWith(std::vector<FileValue> values) {
  return FileKey{Root::LocalMachine, {"SOFTWARE", "Vendor"}, false, std::move(values)};
}

std::string Written(const std::vector<FileKey>& keys, unsigned codePage = 1252) {
  std::string bytes, error;
  EXPECT_TRUE(WriteRegFile(keys, codePage, bytes, error)) << error;
  return bytes;
}

TEST(RegFile, WritesEachTypeAsRegeditDoesInUtf16) {
  std::string text = Utf8Of(Written({KeyWith({
      {"Name", false, 1, std::string("say \"hi\" C:\\x\0", 14)},
      {"", false, 1, std::string("default\0", 8)},
      {"Count", false, 4, std::string("\x02\x00\x00\x00", 4)},
      {"NoTerm", false, 1, "ab"},
      {"Path", false, 2, std::string("C:\0", 3)},
      {"Multi", false, 7, std::string("a\0b\0\0", 5)},
      {"Qword", false, 11, "\x01"},
      {"Raw", false, 3, std::string(30, '\x7F')},
  })}));
  EXPECT_EQ(text,
            std::string("Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\r\n"
            "\"Name\"=\"say \\\"hi\\\" C:\\\\x\"\r\n"
            "@=\"default\"\r\n"
            "\"Count\"=dword:00000002\r\n"
            "\"NoTerm\"=hex(1):61,00,62,00\r\n"
            "\"Path\"=hex(2):43,00,3a,00,00,00\r\n"
            "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
            "\"Qword\"=hex(b):01\r\n"
            "\"Raw\"=hex:") + Repeat("7f,", 23) + "\\\r\n  7f,7f,7f,7f,7f,7f,7f\r\n\r\n");
}

TEST(RegFile, ReadsBackEveryValueWithItsTypeAndByteCount) {
  std::vector<FileValue> values = {
      {"Sz", false, 1, std::string("text\0", 5)},       {"NoTerm", false, 1, "abc"},
      {"TwoNuls", false, 1, std::string("a\0\0", 3)},   {"Lines", false, 1, std::string("a\r\nb\0", 5)},
      {"Empty", false, 1, ""},                          {"ShortDword", false, 4, "\x01\x02"},
      {"Expand", false, 2, std::string("%P%\0", 4)},    {"None", false, 0, ""},
      {"GBK \xC4\xE3", false, 1, std::string("\xD6\xD0\xCE\xC4\0", 5)},
  };
  std::string bytes = Written({KeyWith(values)}, 936);
  FileParseResult back = ParseRegFile(bytes, "k.reg", 936);
  ASSERT_EQ(back.error, "");
  ASSERT_EQ(back.keys.size(), 1u);
  EXPECT_EQ(back.keys[0].path, (std::vector<std::string>{"SOFTWARE", "Vendor"}));
  ASSERT_EQ(back.keys[0].values.size(), values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(back.keys[0].values[i].name, values[i].name);
    EXPECT_EQ(back.keys[0].values[i].type, values[i].type) << values[i].name;
    EXPECT_EQ(back.keys[0].values[i].data, values[i].data) << values[i].name;
  }
}

TEST(RegFile, NamesAndStringDataThatAreNotTextAreRefusedNamingThem) {
  std::string bytes, error;
  EXPECT_FALSE(WriteRegFile({KeyWith({{"Bad", false, 1, "\xC4"}})}, 936, bytes, error));
  EXPECT_EQ(error, "the data of value \"Bad\" of HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor is not text in code page 936, "
                   "which a registry file cannot hold");
  EXPECT_FALSE(WriteRegFile({FileKey{Root::CurrentUser, {"A", "\x81"}, false, {}}}, 936, bytes, error));
  EXPECT_EQ(error.rfind("the name of key HKEY_CURRENT_USER\\A\\", 0), 0u) << error;
}

TEST(RegFile, ReadsUtf8DeletionsAndShortRootNames) {
  FileParseResult r = ParseRegFile(
      "Windows Registry Editor Version 5.00\n; comment\n[-HKCU\\Software\\Old]\n[HKLM\\A]\n\"x\"=-\n\"y\"=dword:1F\n"
      "\"z\"=hex:01,\\\n  02\n",
      "u.reg", 1252);
  ASSERT_EQ(r.error, "");
  ASSERT_EQ(r.keys.size(), 2u);
  EXPECT_TRUE(r.keys[0].remove);
  EXPECT_EQ(r.keys[0].root, Root::CurrentUser);
  ASSERT_EQ(r.keys[1].values.size(), 3u);
  EXPECT_TRUE(r.keys[1].values[0].remove);
  EXPECT_EQ(r.keys[1].values[1].data, std::string("\x1F\0\0\0", 4));
  EXPECT_EQ(r.keys[1].values[2].data, "\x01\x02");
}

TEST(RegFile, RefusesWhatItCannotReadWithFileAndLine) {
  auto error = [](const std::string& body) {
    return ParseRegFile("Windows Registry Editor Version 5.00\r\n" + body, "in.reg", 1252).error;
  };
  EXPECT_EQ(ParseRegFile("REGEDIT4\r\n", "in.reg", 1252).error,
            "in.reg line 1: expected the first line \"Windows Registry Editor Version 5.00\"");
  EXPECT_EQ(ParseRegFile("\xFF\xFE\x41", "in.reg", 1252).error, "in.reg line 1: UTF-16LE text of an odd byte count");
  EXPECT_EQ(error("\"v\"=\"x\"\r\n"), "in.reg line 2: a value line outside a key");
  EXPECT_EQ(error("[HKLM\\A\r\n"), "in.reg line 2: a key line needs a closing ']'");
  EXPECT_EQ(error("[HKXX\\A]\r\n"),
            "in.reg line 2: unknown root 'HKXX' (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER or HKEY_CURRENT_CONFIG)");
  EXPECT_EQ(error("[HKLM\\A\\\\B]\r\n"), "in.reg line 2: a key path with an empty name");
  EXPECT_EQ(error("[-HKLM]\r\n"), "in.reg line 2: a root cannot be deleted");
  const std::string key = "[HKLM\\A]\r\n";
  EXPECT_EQ(error(key + "v=1\r\n"), "in.reg line 3: expected \"NAME\"= or @=");
  EXPECT_EQ(error(key + "\"v\" 1\r\n"), "in.reg line 3: expected '=' after the value's name");
  EXPECT_EQ(error(key + "\"v\"=\"open\r\n"), "in.reg line 3: a string needs a closing quote and nothing after it");
  EXPECT_EQ(error(key + "\"v\"=dword:123456789\r\n"), "in.reg line 3: dword: needs 1 to 8 hex digits");
  EXPECT_EQ(error(key + "\"v\"=hex(zz):00\r\n"), "in.reg line 3: hex(TYPE): needs a type of 1 to 8 hex digits");
  EXPECT_EQ(error(key + "\"v\"=hex:0g\r\n"), "in.reg line 3: expected bytes as two hex digits separated by commas");
  EXPECT_EQ(error(key + "\"v\"=hex(2):41\r\n"), "in.reg line 3: string data needs UTF-16LE bytes, an even count");
  EXPECT_EQ(error(key + "\"v\"=word:1\r\n"), "in.reg line 3: expected \"text\", dword:, hex:, hex(TYPE): or -");
  EXPECT_EQ(error(key + "\"a\"=hex:01,\\\r\n  02,\\\r\n  0x\r\n"),
            "in.reg line 3: expected bytes as two hex digits separated by commas");
}

}  // namespace
