// A thin wrapper over the registry: each operation names its key by a subkey path under a fixed
// root, opens what it needs, does one thing, closes again and tells whether Windows said
// ERROR_SUCCESS. No error is kept or reported.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Object.h"

class CReg : public CObject {
 public:
  CReg();
  ~CReg() override;

  // HKEY_LOCAL_MACHINE\subKey with any missing parent; an existing key counts as success.
  bool CreateKey(std::string subKey);
  // Opens HKEY_LOCAL_MACHINE\subKey with full access and sets one value; `size` is passed through
  // unchanged (the caller decides whether a string's terminator is counted).
  bool SetValue(std::string subKey, std::string valueName, DWORD type, const BYTE* data, DWORD size);
  // RegDeleteKeyA under HKLM, HKCC and HKCU: only a key without subkeys goes.
  bool DeleteKey(std::string subKey);
  bool DeleteConfigKey(std::string subKey);
  bool DeleteUserKey(std::string subKey);
  // Every key below root\subKey, deepest first, with RegDeleteKeyA (which removes the key itself
  // only once they are gone); a subkey that cannot go is left with what is below it. True when
  // none is left; false as well when root\subKey cannot be opened.
  bool DeleteSubkeys(HKEY root, std::string subKey);

  HKEY m_hKey;  // never set by the operations above; closed on destruction when set
};
