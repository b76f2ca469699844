// advapi32: the registry at its edges: RegEnumValueA with a name or data buffer too small, the
// type and size RegQueryValueExA hands back (one variable for both, a missing value,
// HKEY_CLASSES_ROOT), the terminator added to a string stored without one, RegEnumKeyExA's small
// buffers, and what RegCreateKeyExA needs of its parent (rights, volatility, trailing backslashes).
#include <cstring>
#include <string>

#include "check.h"
#include "parts.h"
#include "scratch.h"

namespace conformance {
namespace {

constexpr const char* kEdgesKey = "Software\\K7X Conformance Edges";

struct Enumerated {
  LONG status;
  DWORD nameCount;
  DWORD dataCount;
  DWORD type;
  char name[12];
  char data[12];
};

Enumerated EnumFirst(HKEY key, DWORD nameCount, DWORD dataCount) {
  Enumerated e{0, nameCount, dataCount, 1234, "xxxxxxxxxx", "xxxxxxxxxx"};
  e.status = RegEnumValueA(key, 0, e.name, &e.nameCount, nullptr, &e.type, reinterpret_cast<BYTE*>(e.data), &e.dataCount);
  return e;
}

// One value "Test" = "foobar" (7 bytes with its terminator).
void CheckEnumValue(HKEY key) {
  RegSetValueExA(key, "Test", 0, REG_SZ, reinterpret_cast<const BYTE*>("foobar"), 7);
  Enumerated both = EnumFirst(key, 2, 2);
  ok(both.status == ERROR_MORE_DATA && both.nameCount == 2 && both.dataCount == 7 && both.type == REG_SZ,
     "name and data too small: got %d, name count %u, data count %u, type %u; expected 234, 2, 7, 1",
     static_cast<int>(both.status), static_cast<unsigned>(both.nameCount), static_cast<unsigned>(both.dataCount),
     static_cast<unsigned>(both.type));
  ok(!std::strcmp(both.name, "xxxxxxxxxx") && !std::strcmp(both.data, "xxxxxxxxxx"),
     "name and data too small: the buffers hold '%s' and '%s', expected them untouched", both.name, both.data);

  Enumerated name = EnumFirst(key, 3, 20);
  ok(name.status == ERROR_MORE_DATA && name.nameCount == 3 && name.dataCount == 7 && name.type == REG_SZ,
     "name too small: got %d, name count %u, data count %u, type %u; expected 234, 3, 7, 1", static_cast<int>(name.status),
     static_cast<unsigned>(name.nameCount), static_cast<unsigned>(name.dataCount), static_cast<unsigned>(name.type));
  ok(!std::strcmp(name.name, "Te"), "name too small: the name buffer holds '%s', expected 'Te' and its terminator", name.name);

  Enumerated empty = EnumFirst(key, 0, 20);
  ok(empty.status == ERROR_MORE_DATA && empty.nameCount == 0 && empty.dataCount == 7 && empty.type == REG_SZ &&
         !std::strcmp(empty.name, "xxxxxxxxxx"),
     "a name buffer of 0: got %d, name count %u, data count %u, type %u, name '%s'", static_cast<int>(empty.status),
     static_cast<unsigned>(empty.nameCount), static_cast<unsigned>(empty.dataCount), static_cast<unsigned>(empty.type),
     empty.name);

  Enumerated data = EnumFirst(key, 20, 2);
  ok(data.status == ERROR_MORE_DATA && data.nameCount == 20 && data.dataCount == 7 && data.type == REG_SZ,
     "data too small: got %d, name count %u, data count %u, type %u; expected 234, 20, 7, 1", static_cast<int>(data.status),
     static_cast<unsigned>(data.nameCount), static_cast<unsigned>(data.dataCount), static_cast<unsigned>(data.type));
  ok(!std::strcmp(data.name, "xxxxxxxxxx") && !std::strcmp(data.data, "xxxxxxxxxx"),
     "data too small: the buffers hold '%s' and '%s', expected them untouched", data.name, data.data);

  Enumerated fits = EnumFirst(key, 20, 20);
  ok(fits.status == ERROR_SUCCESS && fits.nameCount == 4 && fits.dataCount == 7 && fits.type == REG_SZ &&
         !std::strcmp(fits.name, "Test") && !std::strcmp(fits.data, "foobar"),
     "both fit: got %d, name %u '%s', data %u '%s', type %u", static_cast<int>(fits.status),
     static_cast<unsigned>(fits.nameCount), fits.name, static_cast<unsigned>(fits.dataCount), fits.data,
     static_cast<unsigned>(fits.type));

  char value[8];
  DWORD count = sizeof value;
  DWORD size = 0;
  ok(RegEnumValueA(key, 0, value, &count, nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS && size == 7,
     "no data buffer: the data size is %u, expected 7", static_cast<unsigned>(size));
  count = sizeof value;
  ok(RegEnumValueA(key, 1, value, &count, nullptr, nullptr, nullptr, nullptr) == ERROR_NO_MORE_ITEMS,
     "RegEnumValueA past the last value does not answer ERROR_NO_MORE_ITEMS");
}

void CheckQueryValue(HKEY key) {
  DWORD size = 0xdeadbeef;
  LONG status = RegQueryValueExA(key, "Test", nullptr, &size, nullptr, &size);
  ok(status == ERROR_SUCCESS && size == 7, "one variable for type and size: got %d and %u, expected 0 and 7",
     static_cast<int>(status), static_cast<unsigned>(size));
  const BYTE four[4] = {1, 2, 3, 4};
  RegSetValueExA(key, "Four", 0, REG_BINARY, four, sizeof four);
  BYTE buffer[8];
  size = 4;
  status = RegQueryValueExA(key, "Four", nullptr, &size, buffer, &size);
  ok(status == ERROR_SUCCESS && size == 4 && !std::memcmp(buffer, four, 4),
     "one variable for type and size with a 4-byte buffer: got %d and %u, expected 0 and 4", static_cast<int>(status),
     static_cast<unsigned>(size));

  DWORD type = 0xdeadbeef;
  size = 0xdeadbeef;
  status = RegQueryValueExA(HKEY_CLASSES_ROOT, "K7X Nonexistent Value", nullptr, &type, nullptr, &size);
  ok(status == ERROR_FILE_NOT_FOUND && size == 0,
     "the size of a missing value under HKEY_CLASSES_ROOT: got %d and %u, expected 2 and 0", static_cast<int>(status),
     static_cast<unsigned>(size));
  size = sizeof buffer;
  status = RegQueryValueExA(HKEY_CLASSES_ROOT, "K7X Nonexistent Value", nullptr, &type, buffer, &size);
  ok(status == ERROR_FILE_NOT_FOUND && size == sizeof buffer,
     "a missing value with a buffer: got %d and size %u, expected 2 and the size left alone", static_cast<int>(status),
     static_cast<unsigned>(size));
  HKEY classes = nullptr;
  ok(RegOpenKeyExA(HKEY_CLASSES_ROOT, "", 0, KEY_READ, &classes) == ERROR_SUCCESS,
     "HKEY_CLASSES_ROOT cannot be opened for reading");
  RegCloseKey(classes);
  ok(RegOpenKeyExA(HKEY_CLASSES_ROOT, "K7X.NoSuchClass", 0, KEY_READ, &classes) == ERROR_FILE_NOT_FOUND,
     "a missing class under HKEY_CLASSES_ROOT is not ERROR_FILE_NOT_FOUND");
}

// A REG_SZ of 3 bytes with no terminator: read back into exactly 3 bytes it stays without one;
// given a byte more, the reader gets a terminator the size does not count.
void CheckTerminatorAdded(HKEY key) {
  RegSetValueExA(key, "Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abcd"), 3);
  for (DWORD room : {3u, 4u}) {
    BYTE buffer[8];
    std::memset(buffer, 0xbd, sizeof buffer);
    DWORD size = room;
    LONG status = RegQueryValueExA(key, "Bare", nullptr, nullptr, buffer, &size);
    BYTE after = room == 3 ? 0xbd : 0;
    ok(status == ERROR_SUCCESS && size == 3 && !std::memcmp(buffer, "abc", 3) && buffer[3] == after,
       "RegQueryValueExA into %u bytes: got %d, size %u, byte 3 0x%02x, expected 0, 3, 0x%02x", static_cast<unsigned>(room),
       static_cast<int>(status), static_cast<unsigned>(size), buffer[3], after);
    std::memset(buffer, 0xbd, sizeof buffer);
    size = room;
    char name[16];
    DWORD count = sizeof name;
    DWORD index = 0;
    while (RegEnumValueA(key, index, name, &count, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           std::strcmp(name, "Bare"))
      count = sizeof name, ++index;
    count = sizeof name;
    status = RegEnumValueA(key, index, name, &count, nullptr, nullptr, buffer, &size);
    ok(status == ERROR_SUCCESS && size == 3 && buffer[3] == after,
       "RegEnumValueA into %u bytes: got %d, size %u, byte 3 0x%02x, expected 0, 3, 0x%02x", static_cast<unsigned>(room),
       static_cast<int>(status), static_cast<unsigned>(size), buffer[3], after);
  }
}

void CheckEnumKey(HKEY key) {
  HKEY child = nullptr;
  RegCreateKeyExA(key, "Subkey", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr);
  RegCloseKey(child);
  char name[16];
  std::memset(name, 'x', sizeof name);
  DWORD count = 3;
  ok(RegEnumKeyExA(key, 0, name, &count, nullptr, nullptr, nullptr, nullptr) == ERROR_MORE_DATA && name[3] == 'x',
     "RegEnumKeyExA into 3 characters does not answer ERROR_MORE_DATA, or writes past them");
  count = sizeof name;
  LONG status = RegEnumKeyExA(key, 0, name, &count, nullptr, nullptr, nullptr, nullptr);
  ok(status == ERROR_SUCCESS && count == 6 && !std::strcmp(name, "Subkey"), "RegEnumKeyExA gave %d, %u '%s'",
     static_cast<int>(status), static_cast<unsigned>(count), name);
  count = sizeof name;
  ok(RegEnumKeyExA(key, 1, name, &count, nullptr, nullptr, nullptr, nullptr) == ERROR_NO_MORE_ITEMS,
     "RegEnumKeyExA past the last key does not answer ERROR_NO_MORE_ITEMS");
  RegDeleteKeyA(key, "Subkey");
}

void CheckCreateKey(HKEY key) {
  HKEY notify = nullptr;
  HKEY child = nullptr;
  ok(RegCreateKeyExA(key, "Notify", 0, nullptr, 0, KEY_NOTIFY, nullptr, &notify, nullptr) == ERROR_SUCCESS,
     "creating a key opened for KEY_NOTIFY only failed");
  LONG status = RegCreateKeyExA(notify, "Child", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &child, nullptr);
  ok(status == ERROR_SUCCESS, "creating a key below a handle without KEY_CREATE_SUB_KEY gave %d, expected 0",
     static_cast<int>(status));
  RegCloseKey(child);
  RegCloseKey(notify);
  RegDeleteKeyA(key, "Notify\\Child");
  RegDeleteKeyA(key, "Notify");

  HKEY fleeting = nullptr;
  ok(RegCreateKeyExA(key, "Volatile", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &fleeting, nullptr) ==
         ERROR_SUCCESS,
     "creating a volatile key failed");
  status = RegCreateKeyExA(fleeting, "Stable", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr);
  ok(status == ERROR_CHILD_MUST_BE_VOLATILE, "a stable key under a volatile one gave %d, expected 1021",
     static_cast<int>(status));
  status = RegCreateKeyExA(fleeting, "Fleeting", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &child, nullptr);
  ok(status == ERROR_SUCCESS, "a volatile key under a volatile one gave %d, expected 0", static_cast<int>(status));
  RegCloseKey(child);
  RegDeleteKeyA(fleeting, "Fleeting");
  RegCloseKey(fleeting);
  RegDeleteKeyA(key, "Volatile");

  DWORD disposition = 0;
  status = RegCreateKeyExA(key, "Trailing\\", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, &disposition);
  ok(status == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY, "a name with a trailing backslash gave %d, disposition %u",
     static_cast<int>(status), static_cast<unsigned>(disposition));
  RegCloseKey(child);
  status = RegCreateKeyExA(key, "Trailing\\\\", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, &disposition);
  ok(status == ERROR_SUCCESS && disposition == REG_OPENED_EXISTING_KEY,
     "a name with two trailing backslashes gave %d, disposition %u, expected the key opened", static_cast<int>(status),
     static_cast<unsigned>(disposition));
  RegCloseKey(child);
  RegDeleteKeyA(key, "Trailing");
  status = RegCreateKeyExA(key, "\\Leading", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr);
  ok(status == ERROR_BAD_PATHNAME, "a name with a leading backslash gave %d, expected 161", static_cast<int>(status));
}

}  // namespace

void CheckRegistryEdges() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kEdgesKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) {
    ok(false, "RegCreateKeyExA(HKCU\\%s) failed", kEdgesKey);
    return;
  }
  CheckEnumValue(key);
  CheckQueryValue(key);
  CheckTerminatorAdded(key);
  CheckEnumKey(key);
  CheckCreateKey(key);
  for (const char* value : {"Test", "Four", "Bare"}) RegDeleteValueA(key, value);
  RegCloseKey(key);
  ok(RegDeleteKeyA(HKEY_CURRENT_USER, kEdgesKey) == ERROR_SUCCESS, "the edges key is left with something in it");
}

}  // namespace conformance
