// kernel32: the profile functions: quotes, surrounding blanks, values cut to the buffer, case of
// sections and keys, values on several lines, lists of keys and sections, a missing file created
// on write, and the bytes written.
#include <algorithm>

#include "check.h"
#include "parts.h"
#include "scratch.h"

namespace conformance {
namespace {

const std::string kIni = InScratch("profile.ini");

struct Read {
  std::string text;
  DWORD returned;
};

Read Get(const char* section, const char* key, const char* fallback = "dflt", DWORD size = 64) {
  char buffer[64];
  std::fill(buffer, buffer + sizeof buffer, 'X');
  DWORD n = GetPrivateProfileStringA(section, key, fallback, buffer, size, kIni.c_str());
  return {std::string(buffer, n), n};
}

void Expect(const char* section, const char* key, const std::string& expected, const char* what) {
  Read r = Get(section, key);
  ok(r.text == expected && r.returned == expected.size(), "%s: got %u '%s', expected %u '%s'", what,
     static_cast<unsigned>(r.returned), Shown(r.text).c_str(), static_cast<unsigned>(expected.size()),
     Shown(expected).c_str());
}

void CheckReading() {
  WriteBytes(kIni,
             "[Setting]\r\n"
             "Language=English\r\n"
             "  Spaced  =   padded value   \r\n"
             "Quoted=\"in quotes\"\r\n"
             "Half=\"open only\r\n"
             "Single='single'\r\n"
             "Blank=\r\n"
             "Long=abcdefghijklmnopqrstuvwxyz\r\n"
             "Multi=first line\r\n"
             "second line\r\n"
             "Number=42abc\r\n"
             "Negative=-7\r\n"
             "[Other]\r\n"
             "Key=other\r\n"
             "Two=2\r\n");
  Expect("Setting", "Language", "English", "a plain value");
  Expect("SETTING", "language", "English", "section and key in other letter cases");
  Expect("Setting", "Spaced", "padded value", "blanks around key and value");
  Expect("Setting", "Quoted", "in quotes", "a value in double quotes");
  Expect("Setting", "Half", "\"open only", "an opening quote without its close");
  Expect("Setting", "Single", "single", "a value in single quotes");
  Expect("Setting", "Blank", "", "an empty value");
  Expect("Setting", "Multi", "first line", "a value whose text goes on on the next line");
  Expect("Setting", "Missing", "dflt", "a missing key gives the default");
  Expect("Nowhere", "Language", "dflt", "a missing section gives the default");
  Expect("other", "Key", "other", "a key of the second section");

  Read cut = Get("Setting", "Long", "", 5);
  ok(cut.text == "abcd" && cut.returned == 4, "a long value into 5 bytes: got %u '%s', expected 4 'abcd'",
     static_cast<unsigned>(cut.returned), cut.text.c_str());
  Read trimmed = Get("Setting", "Missing", "fallback   ");
  ok(trimmed.text == "fallback" && trimmed.returned == 8,
     "a default with trailing blanks: got %u '%s', expected 8 'fallback'", static_cast<unsigned>(trimmed.returned),
     trimmed.text.c_str());
  Read nullDefault = Get("Setting", "Missing", nullptr);
  ok(nullDefault.returned == 0, "a NULL default gave %u characters, expected 0", static_cast<unsigned>(nullDefault.returned));

  char keys[128] = {};
  DWORD n = GetPrivateProfileStringA("Other", nullptr, "", keys, sizeof keys, kIni.c_str());
  std::string list(keys, n);
  ok(list == std::string("Key\0Two\0", 8), "the key list is '%s' (%u), expected 'Key\\0Two\\0' (8)",
     Shown(list).c_str(), static_cast<unsigned>(n));
  char small[6] = {};
  n = GetPrivateProfileStringA("Other", nullptr, "", small, sizeof small, kIni.c_str());
  ok(n == sizeof small - 2, "the key list into 6 bytes returned %u, expected 4", static_cast<unsigned>(n));
  char sections[64] = {};
  n = GetPrivateProfileStringA(nullptr, nullptr, "", sections, sizeof sections, kIni.c_str());
  ok(std::string(sections, n) == std::string("Setting\0Other\0", 14), "the section list is '%s', expected 'Setting\\0Other\\0'",
     Shown(std::string(sections, n)).c_str());

  ok(GetPrivateProfileIntA("Setting", "Number", 5, kIni.c_str()) == 42, "GetPrivateProfileIntA of '42abc' gave %u, expected 42",
     GetPrivateProfileIntA("Setting", "Number", 5, kIni.c_str()));
  ok(static_cast<int>(GetPrivateProfileIntA("Setting", "Negative", 5, kIni.c_str())) == -7,
     "GetPrivateProfileIntA of '-7' gave %d, expected -7",
     static_cast<int>(GetPrivateProfileIntA("Setting", "Negative", 5, kIni.c_str())));
  ok(GetPrivateProfileIntA("Setting", "Language", 5, kIni.c_str()) == 0,
     "GetPrivateProfileIntA of a word gave %u, expected 0", GetPrivateProfileIntA("Setting", "Language", 5, kIni.c_str()));
  ok(GetPrivateProfileIntA("Setting", "Missing", 5, kIni.c_str()) == 5,
     "GetPrivateProfileIntA of a missing key gave %u, expected the default 5",
     GetPrivateProfileIntA("Setting", "Missing", 5, kIni.c_str()));

  char buffer[16];
  n = GetPrivateProfileStringA("Setting", "Language", "dflt", buffer, sizeof buffer, InScratch("absent.ini").c_str());
  ok(n == 4 && std::string(buffer) == "dflt", "a missing file gave %u '%s', expected the default",
     static_cast<unsigned>(n), buffer);
  ok(GetFileAttributesA(InScratch("absent.ini").c_str()) == INVALID_FILE_ATTRIBUTES, "reading created the missing file");
}

void CheckWriting() {
  std::string fresh = InScratch("fresh.ini");
  ok(WritePrivateProfileStringA("Setting", "PrinterName", "K7X", fresh.c_str()),
     "WritePrivateProfileStringA into a missing file failed with %u", static_cast<unsigned>(GetLastError()));
  ok(ReadBytes(fresh) == "[Setting]\r\nPrinterName=K7X\r\n", "the new file holds '%s', expected '[Setting]\\r\\nPrinterName=K7X\\r\\n'",
     Shown(ReadBytes(fresh)).c_str());
  ok(WritePrivateProfileStringA("SETTING", "printername", "Other", fresh.c_str()),
     "rewriting a key failed with %u", static_cast<unsigned>(GetLastError()));
  ok(ReadBytes(fresh) == "[Setting]\r\nPrinterName=Other\r\n",
     "rewriting through other letter cases left '%s', expected the stored names kept", Shown(ReadBytes(fresh)).c_str());
  WritePrivateProfileStringA("Setting", "Language", "Chinese", fresh.c_str());
  char buffer[32] = {};
  GetPrivateProfileStringA("Setting", "Language", "", buffer, sizeof buffer, fresh.c_str());
  ok(std::string(buffer) == "Chinese", "a key added to a section reads '%s', expected 'Chinese'", buffer);
  ok(ReadBytes(fresh) == "[Setting]\r\nPrinterName=Other\r\nLanguage=Chinese\r\n",
     "adding a key left '%s', expected it after the section's last key", Shown(ReadBytes(fresh)).c_str());
  ok(WritePrivateProfileStringA("Setting", "PrinterName", nullptr, fresh.c_str()),
     "deleting a key failed with %u", static_cast<unsigned>(GetLastError()));
  ok(ReadBytes(fresh) == "[Setting]\r\nLanguage=Chinese\r\n", "deleting a key left '%s'", Shown(ReadBytes(fresh)).c_str());
  WritePrivateProfileStringA("Second", "Key", "v", fresh.c_str());
  GetPrivateProfileStringA("second", "KEY", "", buffer, sizeof buffer, fresh.c_str());
  ok(std::string(buffer) == "v", "a key in a new section reads '%s', expected 'v'", buffer);
  ok(WritePrivateProfileStringA("Setting", nullptr, nullptr, fresh.c_str()), "deleting a section failed with %u",
     static_cast<unsigned>(GetLastError()));
  GetPrivateProfileStringA("Setting", "Language", "gone", buffer, sizeof buffer, fresh.c_str());
  ok(std::string(buffer) == "gone", "a key of a deleted section reads '%s', expected the default", buffer);
  ok_fails(!WritePrivateProfileStringA("S", "K", "v", "C:\\conformance\\nodir\\x.ini"), ERROR_PATH_NOT_FOUND,
           "WritePrivateProfileStringA in a missing folder");
  DeleteFileA(fresh.c_str());
}

}  // namespace

void CheckProfile() {
  CheckReading();
  CheckWriting();
  DeleteFileA(kIni.c_str());
}

}  // namespace conformance
