// kernel32: the profile functions at their edges: files with CR LF and with CR-only line ends,
// NULL and empty sections, keys, defaults and file names, lists into small buffers, lines without
// '=' and comment lines in key lists, GetPrivateProfileIntA's numbers, files held open by another
// handle, and what WritePrivateProfileStringA refuses.
#include <cstring>
#include <string>

#include "check.h"
#include "parts.h"
#include "scratch.h"

namespace conformance {
namespace {

const std::string kEdges = InScratch("edges.ini");
const char kListCutNote[] = "Wine cuts a list that does not fit before its last name instead of inside it";
const char kFlushNote[] = "Wine's WritePrivateProfileStringA(NULL, NULL, NULL, file) fails instead of flushing";

struct Got {
  DWORD count;
  std::string bytes;  // the buffer up to the count and the two bytes after it
};

Got Read(const char* section, const char* key, const char* fallback, DWORD size, const char* file = kEdges.c_str()) {
  char buffer[300];
  std::memset(buffer, 'X', sizeof buffer);
  DWORD n = GetPrivateProfileStringA(section, key, fallback, buffer, size, file);
  return {n, std::string(buffer, n < sizeof buffer - 2 ? n + 2 : n)};
}

// The string read is `expected` (with its count) and ends with its terminator.
void ExpectString(const Got& got, const std::string& expected, const char* what) {
  ok(got.count == expected.size() && got.bytes.compare(0, expected.size() + 1, expected.c_str(), expected.size() + 1) == 0,
     "%s: got %u '%s', expected %u '%s'", what, static_cast<unsigned>(got.count), Shown(got.bytes).c_str(),
     static_cast<unsigned>(expected.size()), expected.c_str());
}

// The list read is `names` (each NUL-ended) followed by the list's closing NUL.
void ExpectList(const Got& got, const std::string& names, const char* what) {
  std::string whole = names + '\0';
  ok(got.count == names.size() && got.bytes.compare(0, whole.size(), whole) == 0, "%s: got %u '%s', expected %u '%s'",
     what, static_cast<unsigned>(got.count), Shown(got.bytes).c_str(), static_cast<unsigned>(names.size()),
     Shown(whole).c_str());
}

void CheckReads(const char* eol, const char* form) {
  std::string text;
  for (const char* line : {"[section1]", "name1=val1", "name2=\"val2\"", "name3", "name4=a", ";name5=comment", "[section2]"})
    text += std::string(line) + eol;
  WriteBytes(kEdges, text);
  std::string what = std::string(form) + ": ";
  auto is = [&](const char* check) { return what + check; };

  ExpectList(Read(nullptr, nullptr, "default", 260), std::string("section1\0section2\0", 18), is("the sections").c_str());
  ExpectList(Read(nullptr, "name1", "default", 260), std::string("section1\0section2\0", 18),
             is("a NULL section with a key lists the sections").c_str());
  ExpectList(Read("section1", nullptr, "default", 260), std::string("name1\0name2\0name4\0", 18),
             is("the keys: lines with '=' that are no comments").c_str());
  ExpectString(Read("section1", "name1", "default", 260), "val1", is("a key").c_str());
  ExpectString(Read("section1", "NaMe1", "default", 260), "val1", is("a key in other letter cases").c_str());
  ExpectString(Read("section1", "name2", "default", 260), "val2", is("a quoted value").c_str());
  ExpectString(Read("section1", "name4", "default", 260), "a", is("a one-letter value").c_str());
  ExpectString(Read("section1", "name4", "default", 1), "", is("a value into 1 byte").c_str());
  ExpectString(Read("section1", "name1", "default", 4), "val", is("a value into 4 bytes").c_str());
  ExpectString(Read("section1", "name1", "default", 5), "val1", is("a value into 5 bytes").c_str());
  Got none = Read("section1", "name1", "default", 0);
  ok(none.count == 0 && none.bytes == "XX", "%s: a value into 0 bytes gave %u and wrote '%s'", form,
     static_cast<unsigned>(none.count), Shown(none.bytes).c_str());
  ExpectString(Read("", "name1", "default", 260), "default", is("an empty section").c_str());
  ExpectString(Read("section1", "", "default", 260), "default", is("an empty key").c_str());
  ExpectString(Read("section1", "notakey", "default", 260), "default", is("a missing key").c_str());
  ExpectString(Read("notasection", "name1", "default", 260), "default", is("a missing section").c_str());
  ExpectString(Read("section1", "", nullptr, 260), "", is("an empty key and a NULL default").c_str());
  ExpectString(Read("section1", "notakey", "one two  ", 260), "one two", is("a default's trailing blanks").c_str());
  ExpectString(Read("section2", "notakey", "", 260), "", is("a section without keys").c_str());

  Got sections = Read(nullptr, nullptr, "default", 16);
  ok(sections.count == 14, "%s: the sections into 16 bytes gave %u, expected 14", form, static_cast<unsigned>(sections.count));
  todo_wine(kListCutNote) {
    ok(sections.bytes.compare(0, 16, std::string("section1\0secti\0\0", 16)) == 0,
       "%s: the sections into 16 bytes read '%s', expected 'section1\\0secti\\0\\0'", form, Shown(sections.bytes).c_str());
  }
  Got keys = Read("section1", nullptr, "default", 16);
  ok(keys.count == 14, "%s: the keys into 16 bytes gave %u, expected 14", form, static_cast<unsigned>(keys.count));
  todo_wine(kListCutNote) {
    ok(keys.bytes.compare(0, 16, std::string("name1\0name2\0na\0\0", 16)) == 0,
       "%s: the keys into 16 bytes read '%s', expected 'name1\\0name2\\0na\\0\\0'", form, Shown(keys.bytes).c_str());
  }
}

void CheckFileNames() {
  ExpectString(Read("section1", "name1", "default", 260, nullptr), "default", "no file name: win.ini, without the section");
  ExpectString(Read("section1", "name1", "default", 260, ""), "default", "an empty file name");
  ExpectString(Read("section1", "name1", "default", 260, InScratch("absent.ini").c_str()), "default", "a missing file");
  ok(GetPrivateProfileIntA(nullptr, nullptr, 70, nullptr) == 0,
     "GetPrivateProfileIntA(NULL, NULL, 70, NULL) gave %u, expected 0: win.ini's first section is no number",
     GetPrivateProfileIntA(nullptr, nullptr, 70, nullptr));
}

void CheckNumbers() {
  DeleteFileA(kEdges.c_str());
  const char* file = kEdges.c_str();
  ok(GetPrivateProfileIntA(nullptr, nullptr, -1, file) == 4294967295u && GetPrivateProfileIntA("S", nullptr, 1, file) == 1 &&
         GetPrivateProfileIntA(nullptr, "K", 1, file) == 1 && GetPrivateProfileIntA("S", "K", -1, file) == 4294967295u,
     "GetPrivateProfileIntA on a missing file does not give the default");
  struct Case {
    const char* value;
    UINT expected;
  } cases[] = {{"-1", 4294967295u},  {"+1", 1},  {"4294967296", 0},  {"4294967297", 1}, {"-4294967297", 4294967295u},
               {"42A94967297", 42}, {"B42", 0}, {"  12  ", 12}, {"0x10", 16}, {"0b101", 5}};
  for (const Case& c : cases) {
    WritePrivateProfileStringA("S", "K", c.value, file);
    UINT got = GetPrivateProfileIntA("S", "K", 7, file);
    ok(got == c.expected, "GetPrivateProfileIntA of '%s' gave %u, expected %u", c.value, got, c.expected);
  }
  WritePrivateProfileStringA("S", "K", "", file);
  ok(GetPrivateProfileIntA("S", "K", 7, file) == 7, "GetPrivateProfileIntA of an empty value gave %u, expected the default 7",
     GetPrivateProfileIntA("S", "K", 7, file));
}

// Reads and writes while another handle holds the file: reading needs that handle to share reading,
// writing to share both.
void CheckSharing() {
  WriteBytes(kEdges, "[S]\r\nK=123\r\n");
  struct Case {
    DWORD access;
    DWORD share;
    bool readable;
    bool writable;
  } cases[] = {{GENERIC_READ, FILE_SHARE_READ, true, false},
               {GENERIC_READ, FILE_SHARE_WRITE, false, false},
               {GENERIC_WRITE, FILE_SHARE_READ, true, false},
               {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, true, true}};
  for (const Case& c : cases) {
    HANDLE h = CreateFileA(kEdges.c_str(), c.access, c.share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    char buffer[16] = {};
    DWORD n = GetPrivateProfileStringA("S", "K", nullptr, buffer, sizeof buffer, kEdges.c_str());
    ok((n == 3) == c.readable, "held with access 0x%lx and sharing %lu: reading gave %u, expected %s",
       static_cast<unsigned long>(c.access), static_cast<unsigned long>(c.share), static_cast<unsigned>(n),
       c.readable ? "123" : "nothing");
    SetLastError(0xdeadbeef);
    BOOL written = WritePrivateProfileStringA("S", "K", "123", kEdges.c_str());
    DWORD error = GetLastError();
    ok(written ? c.writable : !c.writable && error == ERROR_SHARING_VIOLATION,
       "held with access 0x%lx and sharing %lu: writing %s with %u", static_cast<unsigned long>(c.access),
       static_cast<unsigned long>(c.share), written ? "succeeded" : "failed", static_cast<unsigned>(error));
    CloseHandle(h);
  }
}

void CheckWrites() {
  std::string fresh = InScratch("write-edges.ini");
  DeleteFileA(fresh.c_str());
  ok_fails(!WritePrivateProfileStringA(nullptr, "key", "string", fresh.c_str()), ERROR_FILE_NOT_FOUND,
           "WritePrivateProfileStringA with a NULL section");
  ok(GetFileAttributesA(fresh.c_str()) == INVALID_FILE_ATTRIBUTES, "a write with a NULL section created the file");
  ok_fails(!WritePrivateProfileStringA("App", "key", "string", ""), ERROR_ACCESS_DENIED,
           "WritePrivateProfileStringA with an empty file name");
  ok(WritePrivateProfileStringA("App", "key", "", fresh.c_str()) && ReadBytes(fresh) == "[App]\r\nkey=\r\n",
     "an empty value wrote '%s', expected '[App]\\r\\nkey=\\r\\n'", Shown(ReadBytes(fresh)).c_str());
  todo_wine(kFlushNote) {
    ok(WritePrivateProfileStringA(nullptr, nullptr, nullptr, fresh.c_str()), "flushing the cache failed with %u",
       static_cast<unsigned>(GetLastError()));
  }
  DeleteFileA(fresh.c_str());

  WriteBytes(kEdges, "[S]\rA=1\r[T]\rB=2\r");
  ok(WritePrivateProfileStringA("T", "C", "3", kEdges.c_str()), "writing into a CR-only file failed with %u",
     static_cast<unsigned>(GetLastError()));
  ExpectString(Read("T", "C", "default", 260), "3", "a key added to a CR-only file");
  ExpectString(Read("S", "A", "default", 260), "1", "a key of a CR-only file after a write");
}

}  // namespace

void CheckProfileEdges() {
  CheckReads("\r\n", "CR LF");
  CheckReads("\r", "CR only");
  CheckFileNames();
  CheckNumbers();
  CheckSharing();
  CheckWrites();
  DeleteFileA(kEdges.c_str());
}

}  // namespace conformance
