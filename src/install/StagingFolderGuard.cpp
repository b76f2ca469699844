// Only security functions that advapi32 has had since Windows 2000, at the level that lets the
// program say exactly what it sets:
// - AllocateAndInitializeSid, FreeSid, GetLengthSid, EqualSid: the Administrators, SYSTEM and
//   Users SIDs, built without a name lookup (names differ by language);
// - InitializeAcl, AddAccessAllowedAceEx: the three ACEs, inherited by files and folders below
//   (AddAccessAllowedAce cannot mark inheritance);
// - InitializeSecurityDescriptor, SetSecurityDescriptorOwner, SetSecurityDescriptorDacl,
//   SetSecurityDescriptorControl: the owner and a protected DACL (SE_DACL_PROTECTED), so that
//   nothing C:\ grants flows into it;
// - CreateDirectoryA with that descriptor, SetFileSecurityA for a folder that already exists
//   (SetNamedSecurityInfoA would also do, but would rewrite the children's ACLs too);
// - OpenProcessToken, LookupPrivilegeValueA, AdjustTokenPrivileges: SeTakeOwnershipPrivilege, since
//   a folder a user made grants administrators no right to take its ownership;
// - GetFileSecurityA, GetSecurityDescriptorOwner, GetSecurityDescriptorControl,
//   GetSecurityDescriptorDacl, GetAclInformation, GetAce: whether an existing folder already is so.
#include "install/StagingFolderGuard.h"

#include <cstdio>
#include <vector>

#include "shared/constants.h"

namespace {

constexpr const char* kFolders[] = {kStagingDir, kStagingI386Dir, kStagingX86Dir};

// Rights that change a folder or what is in it.
constexpr DWORD kChangingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA | FILE_WRITE_ATTRIBUTES |
                                  FILE_DELETE_CHILD | DELETE | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

constexpr BYTE kToFilesAndFolders = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

// The owner and DACL the staging folders get.
class CStagingSecurity {
 public:
  CStagingSecurity() {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    if (!AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                  &m_pAdministrators) ||
        !AllocateAndInitializeSid(&nt, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, &m_pSystem) ||
        !AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS, 0, 0, 0, 0, 0, 0,
                                  &m_pUsers))
      return;
    PACL acl = reinterpret_cast<PACL>(m_acl);
    DWORD aceBase = sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD);
    DWORD size = sizeof(ACL) + 3 * aceBase + GetLengthSid(m_pAdministrators) + GetLengthSid(m_pSystem) +
                 GetLengthSid(m_pUsers);
    m_bReady = size <= sizeof m_acl && InitializeAcl(acl, size, ACL_REVISION) &&
               AddAccessAllowedAceEx(acl, ACL_REVISION, kToFilesAndFolders, FILE_ALL_ACCESS, m_pAdministrators) &&
               AddAccessAllowedAceEx(acl, ACL_REVISION, kToFilesAndFolders, FILE_ALL_ACCESS, m_pSystem) &&
               AddAccessAllowedAceEx(acl, ACL_REVISION, kToFilesAndFolders, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE,
                                     m_pUsers) &&
               InitializeSecurityDescriptor(&m_sd, SECURITY_DESCRIPTOR_REVISION) &&
               SetSecurityDescriptorOwner(&m_sd, m_pAdministrators, FALSE) &&
               SetSecurityDescriptorDacl(&m_sd, TRUE, acl, FALSE) &&
               SetSecurityDescriptorControl(&m_sd, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
  }
  ~CStagingSecurity() {
    for (PSID sid : {m_pAdministrators, m_pSystem, m_pUsers})
      if (sid) FreeSid(sid);
  }
  CStagingSecurity(const CStagingSecurity&) = delete;
  CStagingSecurity& operator=(const CStagingSecurity&) = delete;

  bool IsAdministratorsOrSystem(PSID sid) const {
    return sid && (EqualSid(sid, m_pAdministrators) || EqualSid(sid, m_pSystem));
  }

  bool m_bReady = false;
  SECURITY_DESCRIPTOR m_sd = {};
  PSID m_pAdministrators = nullptr;
  PSID m_pSystem = nullptr;
  PSID m_pUsers = nullptr;

 private:
  DWORD m_acl[64] = {};  // DWORD-aligned room for the ACL
};

// Enables the privilege to take ownership for its lifetime (an administrator's token holds it).
class CTakeOwnershipPrivilege {
 public:
  CTakeOwnershipPrivilege() {
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &m_hToken) &&
        LookupPrivilegeValueA(nullptr, SE_TAKE_OWNERSHIP_NAME, &privileges.Privileges[0].Luid))
      AdjustTokenPrivileges(m_hToken, FALSE, &privileges, 0, nullptr, nullptr);
  }
  ~CTakeOwnershipPrivilege() {
    if (!m_hToken) return;
    AdjustTokenPrivileges(m_hToken, TRUE, nullptr, 0, nullptr, nullptr);
    CloseHandle(m_hToken);
  }
  CTakeOwnershipPrivilege(const CTakeOwnershipPrivilege&) = delete;
  CTakeOwnershipPrivilege& operator=(const CTakeOwnershipPrivilege&) = delete;

 private:
  HANDLE m_hToken = nullptr;
};

bool IsRealFolder(const char* folder) {
  DWORD attributes = GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Owned by Administrators or SYSTEM, with a protected DACL in which no one else may change anything.
bool IsSecured(const char* folder, const CStagingSecurity& security) {
  const SECURITY_INFORMATION what = OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD needed = 0;
  GetFileSecurityA(folder, what, nullptr, 0, &needed);
  if (needed == 0 || needed > 0x10000) return false;
  std::vector<DWORD> buffer((needed + sizeof(DWORD) - 1) / sizeof(DWORD));
  PSECURITY_DESCRIPTOR sd = buffer.data();
  if (!GetFileSecurityA(folder, what, sd, needed, &needed)) return false;
  PSID owner = nullptr;
  BOOL defaulted = FALSE;
  if (!GetSecurityDescriptorOwner(sd, &owner, &defaulted) || !security.IsAdministratorsOrSystem(owner)) return false;
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  if (!GetSecurityDescriptorControl(sd, &control, &revision) || !(control & SE_DACL_PROTECTED)) return false;
  BOOL present = FALSE;
  PACL dacl = nullptr;
  // A missing or NULL DACL lets everyone in.
  if (!GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted) || !present || !dacl) return false;
  ACL_SIZE_INFORMATION size = {};
  if (!GetAclInformation(dacl, &size, sizeof size, AclSizeInformation)) return false;
  for (DWORD i = 0; i < size.AceCount; ++i) {
    LPVOID ace = nullptr;
    if (!GetAce(dacl, i, &ace)) return false;
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    if (allowed->Header.AceType == ACCESS_DENIED_ACE_TYPE) continue;
    if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) return false;
    if ((allowed->Mask & kChangingRights) && !security.IsAdministratorsOrSystem(&allowed->SidStart)) return false;
  }
  return true;
}

// A folder made with the descriptor, or whose owner and DACL SetFileSecurityA has set, is as the
// calls say; an existing one is read first, and left alone when it already is so.
bool SecureFolder(const char* folder, CStagingSecurity& security, bool makeMissing) {
  DWORD attributes = GetFileAttributesA(folder);
  // A link in the folder's place goes as a link; what it points at stays untouched.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    RemoveDirectoryA(folder);
    attributes = GetFileAttributesA(folder);
  }
  if (attributes == INVALID_FILE_ATTRIBUTES && !makeMissing) return true;
  // As the creation always has: an existing folder is left to the check below.
  SECURITY_ATTRIBUTES attributesForNew = {sizeof attributesForNew, &security.m_sd, FALSE};
  bool made = makeMissing && CreateDirectoryA(folder, &attributesForNew) != FALSE;
  if (!IsRealFolder(folder)) return false;
  if (made || IsSecured(folder, security)) return true;
  bool owned = false;
  {
    CTakeOwnershipPrivilege privilege;
    owned = SetFileSecurityA(folder, OWNER_SECURITY_INFORMATION, &security.m_sd) != FALSE;
  }
  return owned && SetFileSecurityA(folder, DACL_SECURITY_INFORMATION, &security.m_sd) && IsRealFolder(folder);
}

constexpr const char* kRefusals[] = {
    "Setup cannot secure the folder %s: it cannot be made a folder that only administrators may "
    "change. The printer driver has not been installed.",
    // 安装程序无法保护文件夹 %s：无法使它只允许管理员更改。打印机驱动程序未安装。
    "\xb0\xb2\xd7\xb0\xb3\xcc\xd0\xf2\xce\xde\xb7\xa8\xb1\xa3\xbb\xa4\xce\xc4\xbc\xfe\xbc\xd0 %s\xa3\xba\xce\xde\xb7"
    "\xa8\xca\xb9\xcb\xfc\xd6\xbb\xd4\xca\xd0\xed\xb9\xdc\xc0\xed\xd4\xb1\xb8\xfc\xb8\xc4\xa1\xa3\xb4\xf2\xd3\xa1\xbb"
    "\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xce\xb4\xb0\xb2\xd7\xb0\xa1\xa3",
    // 安裝程式無法保護資料夾 %s：無法使它只允許系統管理員變更。印表機驅動程式未安裝。
    "\xa6w\xb8\xcb\xb5{\xa6\xa1\xb5L\xaak\xabO\xc5@\xb8\xea\xae\xc6\xa7\xa8 %s\xa1G\xb5L\xaak\xa8\xcf\xa5\xa6\xa5u"
    "\xa4\xb9\xb3\x5c\xa8t\xb2\xce\xba\xde\xb2z\xad\xfb\xc5\xdc\xa7\xf3\xa1" "C\xa6L\xaa\xed\xbe\xf7\xc5X\xb0\xca"
    "\xb5{\xa6\xa1\xa5\xbc\xa6w\xb8\xcb\xa1" "C",
};

}  // namespace

bool SecureStagingDirs(const char** failedFolder, bool makeMissing) {
  CStagingSecurity security;
  for (const char* folder : kFolders) {
    if (security.m_bReady && SecureFolder(folder, security, makeMissing)) continue;
    *failedFolder = folder;
    return false;
  }
  return true;
}

void StagingRefusalText(TextLanguage language, const char* folder, char (&text)[512]) {
  std::snprintf(text, sizeof text, kRefusals[static_cast<int>(language)], folder);
}
