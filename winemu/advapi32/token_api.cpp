// The process token as Windows reports it, for the question whether the program runs with an
// administrator's rights. The token of an administrator machine (machine.ini Admin=yes) holds the
// Administrators group and, on Vista and later, is elevated; a user machine's token is a standard
// user's (or UAC's filtered one): Administrators is not among its enabled groups, it is not
// elevated. Before Vista a token has no elevation to ask for. An administrator's token holds the
// privileges to take ownership and to restore files, disabled until AdjustTokenPrivileges enables
// them; a standard user's holds neither.
#include <cstring>
#include <new>
#include <set>

#include <windows.h>
#include "kernel32/handles.h"
#include "machine/ini.h"
#include "machine/machine.h"
#include "privileges.h"

using namespace winemu;

namespace {

class TokenObject : public KernelObject {};

const struct {
  const char* name;
  DWORD luid;
} kPrivileges[] = {{SE_TAKE_OWNERSHIP_NAME, kTakeOwnershipPrivilege}, {SE_RESTORE_NAME, kRestorePrivilege}};

// What the program's token has enabled, for this process.
struct EnabledPrivileges {
  explicit EnabledPrivileges(Machine&) {}
  std::set<DWORD> luids;
};

HANDLE const kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));

// The binary SID: revision, sub-authority count, authority, sub-authorities.
struct SidHeader {
  BYTE revision;
  BYTE subAuthorityCount;
  SID_IDENTIFIER_AUTHORITY authority;
};

bool IsSid(PSID sid, BYTE authority, std::initializer_list<DWORD> subAuthorities) {
  const auto* header = static_cast<const SidHeader*>(sid);
  if (header->revision != 1 || header->subAuthorityCount != subAuthorities.size()) return false;
  const BYTE expected[6] = {0, 0, 0, 0, 0, authority};
  if (std::memcmp(header->authority.Value, expected, 6) != 0) return false;
  const BYTE* sub = static_cast<const BYTE*>(sid) + sizeof(SidHeader);
  for (DWORD value : subAuthorities) {
    DWORD actual;
    std::memcpy(&actual, sub, sizeof actual);
    if (actual != value) return false;
    sub += sizeof actual;
  }
  return true;
}

// The enabled groups of the caller's token: Everyone, Users and, for an administrator, Administrators.
bool TokenHasGroup(PSID sid) {
  if (IsSid(sid, 1, {0})) return true;                                  // Everyone
  if (IsSid(sid, 5, {SECURITY_BUILTIN_DOMAIN_RID, 0x221})) return true;  // Users
  return M().Config().admin && IsSid(sid, 5, {SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS});
}

}  // namespace

HANDLE WINAPI GetCurrentProcess(void) { return kCurrentProcess; }

BOOL WINAPI AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY pIdentifierAuthority, BYTE nSubAuthorityCount,
                                     DWORD nSubAuthority0, DWORD nSubAuthority1, DWORD nSubAuthority2,
                                     DWORD nSubAuthority3, DWORD nSubAuthority4, DWORD nSubAuthority5,
                                     DWORD nSubAuthority6, DWORD nSubAuthority7, PSID* pSid) {
  if (!pIdentifierAuthority || !pSid || nSubAuthorityCount > 8) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  const DWORD sub[8] = {nSubAuthority0, nSubAuthority1, nSubAuthority2, nSubAuthority3,
                        nSubAuthority4, nSubAuthority5, nSubAuthority6, nSubAuthority7};
  auto* bytes = new BYTE[sizeof(SidHeader) + 4 * nSubAuthorityCount];
  SidHeader header{1, nSubAuthorityCount, *pIdentifierAuthority};
  std::memcpy(bytes, &header, sizeof header);
  std::memcpy(bytes + sizeof header, sub, 4 * nSubAuthorityCount);
  *pSid = bytes;
  SetError(0);
  return TRUE;
}

PVOID WINAPI FreeSid(PSID pSid) {
  delete[] static_cast<BYTE*>(pSid);
  return nullptr;
}

// Without a token the caller's own is checked; a process's primary token is refused as on Windows,
// which wants an impersonation token there.
BOOL WINAPI CheckTokenMembership(HANDLE TokenHandle, PSID SidToCheck, PBOOL IsMember) {
  if (TokenHandle) {
    DWORD err = Handles().Get<TokenObject>(TokenHandle) ? ERROR_NO_IMPERSONATION_TOKEN : ERROR_INVALID_HANDLE;
    return SetError(err), FALSE;
  }
  if (!SidToCheck || !IsMember) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  *IsMember = TokenHasGroup(SidToCheck) ? TRUE : FALSE;
  SetError(0);
  return TRUE;
}

BOOL WINAPI OpenProcessToken(HANDLE ProcessHandle, DWORD, PHANDLE TokenHandle) {
  if (ProcessHandle != kCurrentProcess) return SetError(ERROR_INVALID_HANDLE), FALSE;
  if (!TokenHandle) return SetError(ERROR_NOACCESS), FALSE;
  *TokenHandle = Handles().Add(std::make_unique<TokenObject>());
  SetError(0);
  return TRUE;
}

BOOL WINAPI GetTokenInformation(HANDLE TokenHandle, TOKEN_INFORMATION_CLASS TokenInformationClass,
                                LPVOID TokenInformation, DWORD TokenInformationLength, PDWORD ReturnLength) {
  if (!Handles().Get<TokenObject>(TokenHandle)) return SetError(ERROR_INVALID_HANDLE), FALSE;
  // Only the elevation is emulated, and systems before Vista do not know it.
  if (TokenInformationClass != TokenElevation || M().Config().major < 6)
    return SetError(ERROR_INVALID_PARAMETER), FALSE;
  if (!ReturnLength) return SetError(ERROR_NOACCESS), FALSE;
  *ReturnLength = sizeof(TOKEN_ELEVATION);
  if (!TokenInformation || TokenInformationLength < sizeof(TOKEN_ELEVATION))
    return SetError(ERROR_INSUFFICIENT_BUFFER), FALSE;
  TOKEN_ELEVATION elevation{M().Config().admin ? 1u : 0u};
  std::memcpy(TokenInformation, &elevation, sizeof elevation);
  SetError(0);
  return TRUE;
}

BOOL WINAPI LookupPrivilegeValueA(LPCSTR lpSystemName, LPCSTR lpName, PLUID lpLuid) {
  if (lpSystemName && *lpSystemName) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  for (const auto& p : kPrivileges)
    if (lpName && lpLuid && EqualsNoCase(lpName, p.name)) {
      *lpLuid = LUID{p.luid, 0};
      SetError(0);
      return TRUE;
    }
  return SetError(ERROR_NO_SUCH_PRIVILEGE), FALSE;
}

// Only an administrator's token holds the privileges; enabling one it lacks succeeds with
// ERROR_NOT_ALL_ASSIGNED, as on Windows.
BOOL WINAPI AdjustTokenPrivileges(HANDLE TokenHandle, BOOL DisableAllPrivileges, PTOKEN_PRIVILEGES NewState, DWORD,
                                  PTOKEN_PRIVILEGES PreviousState, PDWORD) {
  if (!Handles().Get<TokenObject>(TokenHandle)) return SetError(ERROR_INVALID_HANDLE), FALSE;
  if (PreviousState) return SetError(ERROR_INVALID_PARAMETER), FALSE;  // not emulated
  std::set<DWORD>& enabled = M().State<EnabledPrivileges>().luids;
  if (DisableAllPrivileges) {
    enabled.clear();
    return SetError(0), TRUE;
  }
  if (!NewState) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  bool all = true;
  for (DWORD i = 0; i < NewState->PrivilegeCount; ++i) {
    const LUID_AND_ATTRIBUTES& p = NewState->Privileges[i];
    bool held = M().Config().admin && p.Luid.HighPart == 0 &&
                (p.Luid.LowPart == kTakeOwnershipPrivilege || p.Luid.LowPart == kRestorePrivilege);
    if (!held) {
      all = false;
    } else if (p.Attributes & SE_PRIVILEGE_ENABLED) {
      enabled.insert(p.Luid.LowPart);
    } else {
      enabled.erase(p.Luid.LowPart);
    }
  }
  SetError(all ? 0 : ERROR_NOT_ALL_ASSIGNED);
  return TRUE;
}

bool winemu::PrivilegeEnabled(DWORD luid) { return M().State<EnabledPrivileges>().luids.count(luid) != 0; }
