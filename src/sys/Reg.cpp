#include "sys/Reg.h"

#include "shared/RunLog.h"

namespace {

constexpr DWORD kMaxKeyName = 255;  // the longest name a registry key may have

// RegDeleteKeyA, and a log line for a key that went.
bool DeleteLogged(HKEY root, const std::string& subKey) {
  if (RegDeleteKeyA(root, subKey.c_str()) != ERROR_SUCCESS) return false;
  const char* rootName = root == HKEY_LOCAL_MACHINE ? "HKLM" : root == HKEY_CURRENT_USER ? "HKCU" : "HKCC";
  LogLine("Deleted registry key %s\\%s", rootName, subKey.c_str());
  return true;
}

}  // namespace

CReg::CReg() : m_hKey(nullptr) {}

CReg::~CReg() {
  if (m_hKey) RegCloseKey(m_hKey);
}

bool CReg::CreateKey(std::string subKey) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, &disposition) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool CReg::SetValue(std::string subKey, std::string valueName, DWORD type, const BYTE* data, DWORD size) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return false;
  LONG result = RegSetValueExA(key, valueName.c_str(), 0, type, data, size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool CReg::DeleteKey(std::string subKey) { return DeleteLogged(HKEY_LOCAL_MACHINE, subKey); }

bool CReg::DeleteConfigKey(std::string subKey) { return DeleteLogged(HKEY_CURRENT_CONFIG, subKey); }

bool CReg::DeleteUserKey(std::string subKey) { return DeleteLogged(HKEY_CURRENT_USER, subKey); }

bool CReg::DeleteSubkeys(HKEY root, std::string subKey) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS) return false;
  bool allGone = true;
  DWORD index = 0;  // the first subkey not known to stay
  for (;;) {
    char name[kMaxKeyName + 1];
    DWORD size = sizeof name;
    LONG result = RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) {
      allGone = false;
      break;
    }
    std::string child = subKey;
    child.append("\\").append(name, size);
    bool emptied = DeleteSubkeys(root, child);
    if (!emptied || !DeleteLogged(root, child)) {
      allGone = false;
      ++index;
    }
  }
  RegCloseKey(key);
  return allGone;
}
