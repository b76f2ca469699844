// advapi32: the registry: keys and value names matched without case, byte counts as handed (and
// the terminator NT adds when the byte after a string is NUL), the two-call size protocol, the
// order of enumeration, RegDeleteKeyA refusing a key with subkeys, and the CurrentControlSet alias.
#include <algorithm>
#include <cstring>
#include <vector>

#include "check.h"
#include "parts.h"
#include "scratch.h"

namespace conformance {
namespace {

const char kNoControlSet001[] = "Wine 8 keeps CurrentControlSet as a key of its own and has no ControlSet001";
constexpr const char* kBase = "Software\\K7X Conformance";

struct Value {
  LONG status;
  DWORD type;
  DWORD size;
  std::string bytes;
};

Value Query(HKEY key, const char* name, DWORD bufferSize = 64) {
  char buffer[64];
  std::memset(buffer, 0x7e, sizeof buffer);
  Value v{0, 0, bufferSize, {}};
  v.status = RegQueryValueExA(key, name, nullptr, &v.type, reinterpret_cast<BYTE*>(buffer), &v.size);
  if (v.status == ERROR_SUCCESS) v.bytes.assign(buffer, v.size);
  return v;
}

void CheckValues(HKEY key) {
  const char unterminated[] = "abcX";
  ok(RegSetValueExA(key, "Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), 3) == ERROR_SUCCESS,
     "RegSetValueExA of 3 bytes failed");
  Value v = Query(key, "unterminated");
  ok(v.status == ERROR_SUCCESS && v.type == REG_SZ && v.size == 3 && v.bytes == "abc",
     "a REG_SZ of 3 bytes without terminator reads %d type %u size %u '%s', expected 0, 1, 3, 'abc'",
     static_cast<int>(v.status), static_cast<unsigned>(v.type), static_cast<unsigned>(v.size), Shown(v.bytes).c_str());
  ok(RegSetValueExA(key, "OffByOne", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3) == ERROR_SUCCESS,
     "RegSetValueExA of a string's 3 characters failed");
  v = Query(key, "OffByOne");
  ok(v.size == 4 && v.bytes == std::string("abc", 4),
     "a REG_SZ handed without its terminator, a NUL after it, reads size %u '%s', expected 4 'abc\\0' (NT adds it)",
     static_cast<unsigned>(v.size), Shown(v.bytes).c_str());
  RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("K7X printer"), 12);
  v = Query(key, "TEXT");
  ok(v.size == 12 && v.bytes == std::string("K7X printer", 12), "a terminated REG_SZ reads size %u '%s', expected 12",
     static_cast<unsigned>(v.size), Shown(v.bytes).c_str());
  v = Query(key, "Text", 5);
  ok(v.status == ERROR_MORE_DATA && v.size == 12, "a 5-byte buffer for 12 bytes gave %d and size %u, expected 234 and 12",
     static_cast<int>(v.status), static_cast<unsigned>(v.size));
  DWORD size = 0;
  DWORD type = 0;
  LONG status = RegQueryValueExA(key, "Text", nullptr, &type, nullptr, &size);
  ok(status == ERROR_SUCCESS && size == 12 && type == REG_SZ, "a size query gave %d, size %u, type %u, expected 0, 12, 1",
     static_cast<int>(status), static_cast<unsigned>(size), static_cast<unsigned>(type));

  DWORD number = 0x12345678;
  RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  v = Query(key, "Number");
  ok(v.type == REG_DWORD && v.size == 4 && std::memcmp(v.bytes.data(), &number, 4) == 0,
     "a REG_DWORD reads type %u size %u", static_cast<unsigned>(v.type), static_cast<unsigned>(v.size));
  const BYTE binary[5] = {0, 1, 0, 0xff, 0};
  RegSetValueExA(key, "Binary", 0, REG_BINARY, binary, sizeof binary);
  v = Query(key, "Binary");
  ok(v.type == REG_BINARY && v.bytes == std::string(reinterpret_cast<const char*>(binary), 5),
     "a REG_BINARY reads type %u size %u, expected 3 and its 5 bytes", static_cast<unsigned>(v.type),
     static_cast<unsigned>(v.size));
  const char multi[] = "one\0two\0";
  RegSetValueExA(key, "Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi);
  v = Query(key, "Multi");
  ok(v.type == REG_MULTI_SZ && v.bytes == std::string(multi, sizeof multi), "a REG_MULTI_SZ reads type %u '%s'",
     static_cast<unsigned>(v.type), Shown(v.bytes).c_str());
  ok(RegSetValueExA(key, "Empty", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 0) == ERROR_SUCCESS &&
         Query(key, "Empty").size == 0,
     "a REG_SZ of 0 bytes reads size %u, expected 0", static_cast<unsigned>(Query(key, "Empty").size));

  // Windows promises no order of values: the names as a sorted list.
  std::vector<std::string> names;
  char name[32];
  DWORD nameSize = sizeof name;
  LONG ended = ERROR_SUCCESS;
  for (DWORD i = 0; (ended = RegEnumValueA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr)) == ERROR_SUCCESS;
       ++i, nameSize = sizeof name)
    names.push_back(name);
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const std::string& n : names) joined += (joined.empty() ? "" : ",") + n;
  ok(joined == "Binary,Empty,Multi,Number,OffByOne,Text,Unterminated", "the values are {%s}", joined.c_str());
  ok(ended == ERROR_NO_MORE_ITEMS, "enumerating values ended with %d, expected 259", static_cast<int>(ended));
  nameSize = 3;
  ok(RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr) == ERROR_MORE_DATA,
     "a 3-character buffer for a value name: expected 234");

  ok(RegDeleteValueA(key, "NUMBER") == ERROR_SUCCESS, "RegDeleteValueA through another case failed");
  ok(Query(key, "Number").status == ERROR_FILE_NOT_FOUND, "a deleted value reads %d, expected 2",
     static_cast<int>(Query(key, "Number").status));
  ok(RegDeleteValueA(key, "Number") == ERROR_FILE_NOT_FOUND, "deleting a missing value: expected 2");
}

void CheckKeys(HKEY key) {
  for (const char* sub : {"b", "A", "c\\Deep"}) {
    HKEY h = nullptr;
    RegCreateKeyExA(key, sub, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr);
    RegCloseKey(h);
  }
  std::string names;
  char name[32];
  DWORD index = 0;
  LONG status = ERROR_SUCCESS;
  for (;; ++index) {
    DWORD size = sizeof name;
    status = RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) break;
    names += std::string(names.empty() ? "" : ",") + name;
  }
  ok(names == "A,b,c", "subkeys enumerate as {%s}, expected {A,b,c} (sorted without case)", names.c_str());
  ok(status == ERROR_NO_MORE_ITEMS, "enumeration ended with %d, expected 259", static_cast<int>(status));
  DWORD tiny = 1;
  ok(RegEnumKeyExA(key, 0, name, &tiny, nullptr, nullptr, nullptr, nullptr) == ERROR_MORE_DATA,
     "a 1-character name buffer: expected 234");

  ok(RegDeleteKeyA(key, "C") == ERROR_ACCESS_DENIED, "RegDeleteKeyA of a key with subkeys: expected 5");
  HKEY c = nullptr;
  ok(RegOpenKeyExA(key, "c\\DEEP", 0, KEY_READ, &c) == ERROR_SUCCESS, "the refused key's subkey is still there");
  RegCloseKey(c);
  ok(RegDeleteKeyA(key, "c\\deep") == ERROR_SUCCESS && RegDeleteKeyA(key, "c") == ERROR_SUCCESS,
     "deleting the leaf, then its emptied parent");
  ok(RegOpenKeyExA(key, "c", 0, KEY_READ, &c) == ERROR_FILE_NOT_FOUND, "a deleted key opens with 2");
  ok(RegDeleteKeyA(key, "c") == ERROR_FILE_NOT_FOUND, "deleting a missing key: expected 2");
  RegDeleteKeyA(key, "A");
  RegDeleteKeyA(key, "b");
}

void CheckControlSet() {
  HKEY h = nullptr;
  DWORD disposition = 0;
  ok(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\K7X Conformance", 0, nullptr, 0,
                     KEY_ALL_ACCESS, nullptr, &h, &disposition) == ERROR_SUCCESS &&
         disposition == REG_CREATED_NEW_KEY,
     "creating a key under CurrentControlSet: disposition %u, expected 1", static_cast<unsigned>(disposition));
  RegSetValueExA(h, "Alias", 0, REG_SZ, reinterpret_cast<const BYTE*>("same"), 5);
  RegCloseKey(h);
  HKEY alias = nullptr;
  todo_wine(kNoControlSet001) {
    ok(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "system\\controlset001\\CONTROL\\k7x conformance", 0, KEY_READ, &alias) ==
               ERROR_SUCCESS &&
           Query(alias, "Alias").bytes == std::string("same", 5),
       "the key is not seen under ControlSet001");
    RegCloseKey(alias);
    ok(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet001\\Control\\K7X Conformance") == ERROR_SUCCESS,
       "deleting through ControlSet001 failed");
    ok(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\K7X Conformance", 0, KEY_READ, &alias) ==
           ERROR_FILE_NOT_FOUND,
       "the key deleted through ControlSet001 is still under CurrentControlSet");
  }
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\K7X Conformance");
  HKEY print = nullptr;
  ok(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers", 0, KEY_READ, &print) ==
         ERROR_SUCCESS,
     "the spooler's Printers key is missing");
  RegCloseKey(print);
}

}  // namespace

void CheckRegistry() {
  HKEY key = nullptr;
  DWORD disposition = 0;
  LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, kBase, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition);
  ok(status == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY, "RegCreateKeyExA gave %d, disposition %u, expected 0, 1",
     static_cast<int>(status), static_cast<unsigned>(disposition));
  HKEY again = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\k7x conformance", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &again,
                  &disposition);
  ok(disposition == REG_OPENED_EXISTING_KEY, "creating it again through another case: disposition %u, expected 2",
     static_cast<unsigned>(disposition));
  RegCloseKey(again);
  HKEY missing = nullptr;
  ok(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\K7X Conformance\\Missing", 0, KEY_READ, &missing) ==
         ERROR_FILE_NOT_FOUND,
     "opening a missing key: expected 2");
  ok(Query(key, "Missing").status == ERROR_FILE_NOT_FOUND, "querying a missing value: expected 2");
  CheckValues(key);
  CheckKeys(key);
  RegCloseKey(key);
  ok(RegDeleteKeyA(HKEY_CURRENT_USER, kBase) == ERROR_SUCCESS, "deleting the emptied key failed");
  CheckControlSet();
}

}  // namespace conformance
