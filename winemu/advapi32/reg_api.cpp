// The registry functions over the machine's registry. Keys are matched without case; a key with
// subkeys cannot be deleted (ERROR_ACCESS_DENIED, as NT answers); HKEY_CLASSES_ROOT is
// HKLM\SOFTWARE\Classes; volatile keys last while the program runs; on a machine without
// administrator rights every change under HKLM, and every open of an HKLM key for writing, is
// refused with ERROR_ACCESS_DENIED. Every change is traced (reg.createkey, reg.setvalue,
// reg.deletekey, reg.deletevalue) with its result and saved at once. Like Windows, these
// functions return their error and leave the thread's last error alone.
#include <cstring>
#include <windows.h>

#include "kernel32/handles.h"
#include "machine/codepage.h"
#include "registry.h"

using namespace winemu;
using winemu::reg::Root;

namespace {

constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

class RegKeyObject : public KernelObject {
 public:
  RegKeyObject(Root r, std::vector<std::string> p, std::string d, REGSAM a)
      : root(r), path(std::move(p)), display(std::move(d)), access(a) {}
  Root root;
  std::vector<std::string> path;
  std::string display;  // "HKLM\path" as the program spelled it, for the trace
  REGSAM access;
};

// What a handle and a subkey name: the root, the path below it, the handle's rights.
struct Target {
  Root root = Root::LocalMachine;
  std::vector<std::string> path;
  std::string display;
  REGSAM access = 0;
};

bool Predefined(HKEY key, Root& root) {
  if (key == HKEY_LOCAL_MACHINE) root = Root::LocalMachine;
  else if (key == HKEY_CURRENT_USER) root = Root::CurrentUser;
  else if (key == HKEY_CURRENT_CONFIG) root = Root::CurrentConfig;
  else if (key == HKEY_CLASSES_ROOT) root = Root::LocalMachine;
  else return false;
  return true;
}

LONG Resolve(HKEY key, LPCSTR subKey, Target& t) {
  Root root;
  if (key == HKEY_CLASSES_ROOT) {
    t = Target{Root::LocalMachine, {"SOFTWARE", "Classes"}, "HKCR", KEY_ALL_ACCESS};
  } else if (Predefined(key, root)) {
    t = Target{root, {}, reg::RootName(root), KEY_ALL_ACCESS};
  } else if (auto* object = Handles().Get<RegKeyObject>(key)) {
    t = Target{object->root, object->path, object->display, object->access};
  } else {
    t.display = "(invalid handle)";
    return ERROR_INVALID_HANDLE;
  }
  if (!subKey || !*subKey) return ERROR_SUCCESS;
  std::string_view sub(subKey);
  while (sub.size() > 1 && sub.back() == '\\') sub.remove_suffix(1);
  t.display += '\\';
  t.display += sub;
  auto parts = reg::SplitKeyPath(subKey, M().Config().codePage);
  if (!parts) return ERROR_BAD_PATHNAME;
  t.path.insert(t.path.end(), parts->begin(), parts->end());
  return ERROR_SUCCESS;
}

std::string Shown(const std::string& ansi) { return AnsiToUtf8(ansi, M().Config().codePage); }

// HKLM is the administrators' on a machine without administrator rights for the user.
bool Protected(Root root) { return root == Root::LocalMachine && !M().Config().admin; }

REGSAM MapAccess(REGSAM sam, Root root) {
  if (sam & GENERIC_ALL) sam |= KEY_ALL_ACCESS;
  if (sam & GENERIC_READ) sam |= KEY_READ;
  if (sam & GENERIC_WRITE) sam |= KEY_WRITE;
  if (sam & GENERIC_EXECUTE) sam |= KEY_EXECUTE;
  if (sam & MAXIMUM_ALLOWED) sam |= Protected(root) ? KEY_READ : KEY_ALL_ACCESS;
  return sam & (KEY_ALL_ACCESS | KEY_WOW64_32KEY | KEY_WOW64_64KEY);
}

LONG Traced(const char* kind, const std::string& detail, LONG err) {
  TraceResult(kind, Shown(detail), static_cast<std::uint32_t>(err));
  return err;
}

std::string ValueDetail(const Target& t, LPCSTR name) {
  return t.display + " value=\"" + (name ? name : "") + "\"";
}

// The open key of a handle, or the error for a handle whose key has gone.
LONG KeyOf(HKEY hKey, Target& t, reg::Key*& key) {
  if (LONG err = Resolve(hKey, nullptr, t)) return err;
  key = reg::MachineRegistry().Find(t.root, t.path);
  return key ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

// The two-call protocol of value data: no buffer asks for the size; a small buffer gets
// ERROR_MORE_DATA and the size. The caller's size is read before the type is written, so one
// variable may serve for both. A string stored without its terminator gets one in the buffer
// when there is room, which the size does not count.
LONG CopyData(const reg::Value& v, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
  DWORD room = lpcbData ? *lpcbData : 0;
  if (lpType) *lpType = v.type;
  if (!lpcbData) return ERROR_SUCCESS;
  DWORD size = static_cast<DWORD>(v.data.size());
  *lpcbData = size;
  if (!lpData) return ERROR_SUCCESS;
  if (room < size) return ERROR_MORE_DATA;
  std::memcpy(lpData, v.data.data(), size);
  if (reg::IsStringType(v.type) && size && v.data.back() && room > size) lpData[size] = 0;
  return ERROR_SUCCESS;
}

// Copies `name` into a caller's buffer of *count characters; *count becomes its length. A buffer
// too small keeps *count and gets as much of the name as fits, terminated.
LONG CopyName(const std::string& name, LPSTR buffer, LPDWORD count) {
  if (!buffer || !count) return ERROR_INVALID_PARAMETER;
  if (*count < name.size() + 1) {
    if (*count) {
      std::memcpy(buffer, name.data(), *count - 1);
      buffer[*count - 1] = '\0';
    }
    return ERROR_MORE_DATA;
  }
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  *count = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

// The number of names of `t.path` that exist, from the root down.
size_t ExistingDepth(const Target& t) {
  reg::Registry& registry = reg::MachineRegistry();
  size_t depth = t.path.size();
  while (depth && !registry.Find(t.root, std::vector<std::string>(t.path.begin(), t.path.begin() + depth))) --depth;
  return depth;
}

// Creating needs no rights on the parent's handle, as on Windows: only the new key's own.
LONG OpenOrCreate(HKEY hKey, LPCSTR lpSubKey, REGSAM sam, DWORD options, bool create, PHKEY phkResult,
                  LPDWORD disposition, Target& t) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  if (LONG err = Resolve(hKey, lpSubKey, t)) return err;
  reg::Registry& registry = reg::MachineRegistry();
  REGSAM access = MapAccess(sam, t.root);
  size_t depth = ExistingDepth(t);
  bool exists = depth == t.path.size();
  if (!exists && !create) return ERROR_FILE_NOT_FOUND;
  if (exists && Protected(t.root) && (access & kWriteRights)) return ERROR_ACCESS_DENIED;
  if (!exists && Protected(t.root)) return ERROR_ACCESS_DENIED;
  if (!exists) {
    bool isVolatile = (options & REG_OPTION_VOLATILE) != 0;
    std::vector<std::string> path(t.path.begin(), t.path.begin() + depth);
    if (!isVolatile && registry.Find(t.root, path)->IsVolatile()) return ERROR_CHILD_MUST_BE_VOLATILE;
    for (size_t i = depth; i < t.path.size(); ++i) {
      path.push_back(t.path[i]);
      reg::Key& created = registry.Create(t.root, path);
      if (isVolatile) created.MakeVolatile();
    }
    registry.Save(t.root);
  }
  if (disposition) *disposition = exists ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
  *phkResult = static_cast<HKEY>(Handles().Add(std::make_unique<RegKeyObject>(t.root, t.path, t.display, access)));
  return ERROR_SUCCESS;
}

}  // namespace

LONG WINAPI RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD dwOptions, REGSAM samDesired,
                            LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
  Target t;
  LONG err = OpenOrCreate(hKey, lpSubKey, samDesired, dwOptions, true, phkResult, lpdwDisposition, t);
  return Traced("reg.createkey", t.display, err);
}

LONG WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
  Target t;
  return OpenOrCreate(hKey, lpSubKey, samDesired, 0, false, phkResult, nullptr, t);
}

LONG WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
  Target t;
  reg::Key* key = nullptr;
  LONG err = KeyOf(hKey, t, key);
  if (!err && (Protected(t.root) || !(t.access & KEY_SET_VALUE))) err = ERROR_ACCESS_DENIED;
  if (!err && !lpData && cbData) err = ERROR_INVALID_PARAMETER;
  if (!err) {
    // NT counts the terminator a caller left out of a string's size when the byte after it is one.
    DWORD stored = cbData;
    bool text = dwType == REG_SZ || dwType == REG_EXPAND_SZ || dwType == REG_MULTI_SZ;
    if (text && lpData && cbData && lpData[cbData - 1] && !lpData[cbData]) ++stored;
    key->SetValue(lpValueName ? lpValueName : "", dwType,
                  std::string(reinterpret_cast<const char*>(lpData), lpData ? stored : 0));
    reg::MachineRegistry().Save(t.root);
  }
  return Traced("reg.setvalue",
                ValueDetail(t, lpValueName) + " type=" + reg::TypeName(dwType) + " bytes=" + std::to_string(cbData), err);
}

LONG WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                             LPDWORD lpcbData) {
  Target t;
  reg::Key* key = nullptr;
  if (LONG err = KeyOf(hKey, t, key)) return err;
  if (!(t.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  const reg::Value* v = key->FindValue(lpValueName ? lpValueName : "");
  if (!v) {
    if (lpcbData && !lpData) *lpcbData = 0;  // a size query of a missing value answers 0
    return ERROR_FILE_NOT_FOUND;
  }
  return CopyData(*v, lpType, lpData, lpcbData);
}

LONG WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
  Target t;
  LONG err = lpSubKey ? Resolve(hKey, lpSubKey, t) : ERROR_INVALID_PARAMETER;
  reg::Registry& registry = reg::MachineRegistry();
  reg::Key* key = err ? nullptr : registry.Find(t.root, t.path);
  if (!err && !key) err = ERROR_FILE_NOT_FOUND;
  Root predefined;
  bool itself = Predefined(hKey, predefined) && !*lpSubKey;
  if (!err && (itself || t.path.empty() || Protected(t.root) || key->HasChildren())) err = ERROR_ACCESS_DENIED;
  if (!err) {
    registry.Remove(t.root, t.path);
    registry.Save(t.root);
  }
  return Traced("reg.deletekey", t.display, err);
}

LONG WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
  Target t;
  reg::Key* key = nullptr;
  LONG err = KeyOf(hKey, t, key);
  if (!err && (Protected(t.root) || !(t.access & KEY_SET_VALUE))) err = ERROR_ACCESS_DENIED;
  if (!err && !key->RemoveValue(lpValueName ? lpValueName : "")) err = ERROR_FILE_NOT_FOUND;
  if (!err) reg::MachineRegistry().Save(t.root);
  return Traced("reg.deletevalue", ValueDetail(t, lpValueName), err);
}

LONG WINAPI RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD, LPSTR lpClass,
                          LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
  Target t;
  reg::Key* key = nullptr;
  if (LONG err = KeyOf(hKey, t, key)) return err;
  if (!(t.access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
  std::vector<std::string> names = reg::MachineRegistry().SubkeyNames(t.root, t.path);
  if (dwIndex >= names.size()) return ERROR_NO_MORE_ITEMS;
  if (LONG err = CopyName(names[dwIndex], lpName, lpcchName)) return err;
  if (lpClass && lpcchClass && *lpcchClass) *lpClass = '\0';
  if (lpcchClass) *lpcchClass = 0;
  if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{0, 0};
  return ERROR_SUCCESS;
}

LONG WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                          LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  Target t;
  reg::Key* key = nullptr;
  if (LONG err = KeyOf(hKey, t, key)) return err;
  if (!(t.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  if (dwIndex >= key->Values().size()) return ERROR_NO_MORE_ITEMS;
  const reg::Value& v = key->Values()[dwIndex];
  // Data too big for its buffer leave the name alone; a name too big for its buffer still lets
  // the type, the data and their size through.
  if (!lpValueName || !lpcchValueName) return ERROR_INVALID_PARAMETER;
  LONG data = CopyData(v, lpType, lpData, lpcbData);
  if (data != ERROR_SUCCESS) return data;
  return CopyName(v.name, lpValueName, lpcchValueName);
}

LONG WINAPI RegCloseKey(HKEY hKey) {
  Root root;
  if (Predefined(hKey, root)) return ERROR_SUCCESS;
  if (!Handles().Get<RegKeyObject>(hKey)) return ERROR_INVALID_HANDLE;
  Handles().Close(hKey);
  return ERROR_SUCCESS;
}
