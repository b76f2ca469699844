// kernel32 and user32: resources by number, by name and type (matched without case), their
// sizes and bytes, strings, and the last error when one is missing.
#include <string>

#include "check.h"
#include "conformance_ids.h"
#include "parts.h"

namespace conformance {
namespace {

std::string Bytes(HRSRC resource) {
  if (!resource) return "<none>";
  HGLOBAL loaded = LoadResource(nullptr, resource);
  const char* data = static_cast<const char*>(LockResource(loaded));
  return data ? std::string(data, SizeofResource(nullptr, resource)) : "<unlocked>";
}

void ExpectData(const char* name, const char* type, const char* expected, const char* what) {
  HRSRC resource = FindResourceA(nullptr, name, type);
  ok(resource && Bytes(resource) == expected, "%s: got '%s', expected '%s'", what, Bytes(resource).c_str(), expected);
}

}  // namespace

void CheckResources() {
  HRSRC numbered = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_NUMBERED), "OWNER_DATA");
  ok(numbered != nullptr, "FindResourceA of a numbered OWNER_DATA failed with %u", static_cast<unsigned>(GetLastError()));
  ok(SizeofResource(nullptr, numbered) == 4, "SizeofResource gave %u, expected 4",
     static_cast<unsigned>(SizeofResource(nullptr, numbered)));
  ExpectData(MAKEINTRESOURCEA(IDR_NUMBERED), "OWNER_DATA", "abcd", "a numbered resource");
  ExpectData(MAKEINTRESOURCEA(IDR_NUMBERED), "owner_data", "abcd", "the type name in other letter cases");
  ExpectData("#201", "OWNER_DATA", "abcd", "the number written as #201");
  ExpectData("payload", "Owner_Data", "xyz", "a named resource in other letter cases");
  ok(FindResourceA(GetModuleHandleA(nullptr), "PAYLOAD", "OWNER_DATA") == FindResourceA(nullptr, "PAYLOAD", "OWNER_DATA"),
     "the program's module handle and NULL name the same resources");
  ok_fails(FindResourceA(nullptr, MAKEINTRESOURCEA(999), "OWNER_DATA") == nullptr, ERROR_RESOURCE_NAME_NOT_FOUND,
           "FindResourceA of a missing name");
  ok_fails(FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_NUMBERED), "NO_SUCH_TYPE") == nullptr, ERROR_RESOURCE_TYPE_NOT_FOUND,
           "FindResourceA of a missing type");
  ok(FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_FORM), RT_DIALOG) != nullptr, "the dialog template is a resource");

  char text[64] = {};
  int n = LoadStringA(GetModuleHandleA(nullptr), IDS_GREETING, text, sizeof text);
  ok(n == 18 && std::string(text) == "Conformance string", "LoadStringA gave %d '%s', expected 18 'Conformance string'", n,
     text);
  char small[5] = {};
  n = LoadStringA(GetModuleHandleA(nullptr), IDS_GREETING, small, sizeof small);
  ok(n == 4 && std::string(small) == "Conf", "LoadStringA into 5 bytes gave %d '%s', expected 4 'Conf'", n, small);
  text[0] = 'X';
  n = LoadStringA(GetModuleHandleA(nullptr), 399, text, sizeof text);
  ok(n == 0 && text[0] == 0, "LoadStringA of a missing string gave %d '%s', expected 0 and an empty text", n, text);
}

}  // namespace conformance
