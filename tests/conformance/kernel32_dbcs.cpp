// kernel32 and user32: the lead bytes of the double-byte code pages (IsDBCSLeadByteEx) and walking
// text by characters (CharNextExA); the user's folder for temporary files (GetTempPathA).
#include <string>

#include "check.h"
#include "parts.h"

namespace conformance {
namespace {

void CheckLeadBytes() {
  const struct {
    UINT codePage;
    BYTE byte;
    BOOL lead;
  } cases[] = {{936, 0x81, TRUE},  {936, 0xFE, TRUE},  {936, 0x80, FALSE}, {936, 0xFF, FALSE}, {936, 0x5C, FALSE},
               {950, 0xA5, TRUE},  {950, 0x5C, FALSE}, {932, 0x81, TRUE},  {932, 0x9F, TRUE},  {932, 0xA0, FALSE},
               {932, 0xE0, TRUE},  {932, 0xFD, FALSE}, {949, 0xB0, TRUE},  {1252, 0x81, FALSE}, {1252, 0xA5, FALSE}};
  for (const auto& c : cases) {
    BOOL got = IsDBCSLeadByteEx(c.codePage, c.byte);
    ok(got == c.lead, "IsDBCSLeadByteEx(%u, 0x%02X) gave %d, expected %d", c.codePage, c.byte, got, c.lead);
  }
}

void CheckCharNext() {
  // Big5: 功 is A5 5C, then a real backslash, then a lead byte before the terminator.
  const char text[] = "\xa5\x5c\\\xa5";
  const char* p = CharNextExA(950, text, 0);
  ok(p == text + 2, "CharNextExA(950) over A5 5C moved %d bytes, expected 2", static_cast<int>(p - text));
  p = CharNextExA(950, p, 0);
  ok(p == text + 3, "CharNextExA(950) over 5C moved to %d, expected 3", static_cast<int>(p - text));
  p = CharNextExA(950, p, 0);
  ok(p == text + 4, "CharNextExA(950) over a lead byte before the end moved to %d, expected 4",
     static_cast<int>(p - text));
  p = CharNextExA(950, p, 0);
  ok(p == text + 4, "CharNextExA(950) at the terminator moved to %d, expected to stay at 4", static_cast<int>(p - text));
  p = CharNextExA(1252, text, 0);
  ok(p == text + 1, "CharNextExA(1252) over A5 moved %d bytes, expected 1", static_cast<int>(p - text));
}

void CheckTempPath() {
  char path[MAX_PATH] = {0};
  DWORD length = GetTempPathA(sizeof path, path);
  ok(length > 3 && length == std::string(path).size() && path[length - 1] == '\\',
     "GetTempPathA gave '%s' (%u), expected a full path ending in a backslash", path, static_cast<unsigned>(length));
  DWORD attributes = GetFileAttributesA(path);
  ok(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
     "the folder '%s' has attributes 0x%lx, expected an existing directory", path, static_cast<unsigned long>(attributes));
  char small[3] = {0};
  DWORD needed = GetTempPathA(sizeof small, small);
  ok(needed == length + 1, "GetTempPathA with room for 3 gave %u, expected %u (the terminator counted)",
     static_cast<unsigned>(needed), static_cast<unsigned>(length + 1));
}

}  // namespace

void CheckDoubleByteText() {
  CheckLeadBytes();
  CheckCharNext();
  CheckTempPath();
}

}  // namespace conformance
