#include "sys/Reg.h"

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

bool CReg::DeleteKey(std::string subKey) { return RegDeleteKeyA(HKEY_LOCAL_MACHINE, subKey.c_str()) == ERROR_SUCCESS; }

bool CReg::DeleteConfigKey(std::string subKey) {
  return RegDeleteKeyA(HKEY_CURRENT_CONFIG, subKey.c_str()) == ERROR_SUCCESS;
}

bool CReg::DeleteUserKey(std::string subKey) { return RegDeleteKeyA(HKEY_CURRENT_USER, subKey.c_str()) == ERROR_SUCCESS; }
