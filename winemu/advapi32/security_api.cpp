// SIDs, ACLs, security descriptors and files' owners and DACLs: the functions Windows 2000 already
// has (AddAccessAllowedAceEx and SetSecurityDescriptorControl are its newest), with allowed ACEs
// only. Files keep their security in the machine (kernel32/file_security.h).
#include <cstring>

#include <windows.h>

#include "kernel32/file_object.h"
#include "kernel32/file_security.h"
#include "kernel32/security_descriptor.h"
#include "machine/machine.h"
#include "privileges.h"

using namespace winemu;

namespace {

constexpr SECURITY_DESCRIPTOR_CONTROL kSettableControl = 0x0100 | 0x0200 | SE_DACL_AUTO_INHERITED | 0x0800 |
                                                          SE_DACL_PROTECTED | 0x2000;

PISECURITY_DESCRIPTOR Absolute(PSECURITY_DESCRIPTOR sd) {
  auto* absolute = static_cast<PISECURITY_DESCRIPTOR>(sd);
  if (!absolute || absolute->Revision != SECURITY_DESCRIPTOR_REVISION || (absolute->Control & SE_SELF_RELATIVE))
    return nullptr;
  return absolute;
}

// The first byte after the ACL's ACEs; 0 when they do not lie within it.
size_t AclBytesInUse(const ACL* acl) {
  const auto* base = reinterpret_cast<const BYTE*>(acl);
  size_t at = sizeof(ACL);
  for (WORD i = 0; i < acl->AceCount; ++i) {
    if (at + sizeof(ACE_HEADER) > acl->AclSize) return 0;
    ACE_HEADER header;
    std::memcpy(&header, base + at, sizeof header);
    if (header.AceSize < sizeof header) return 0;
    at += header.AceSize;
  }
  return at <= acl->AclSize ? at : 0;
}

bool ValidAcl(const ACL* acl) {
  return acl && (acl->AclRevision == ACL_REVISION || acl->AclRevision == 4) && AclBytesInUse(acl) != 0;
}

// What a file without an entry of its own reports: Windows' defaults, under which a standard user
// may change files outside the Windows directory.
FileSecurity SecurityOf(const ResolvedPath& p) {
  if (auto sec = M().State<SecurityStore>().Effective(p.windows)) return *sec;
  std::uint32_t users = IsInside(p.windows, M().Config().windowsDir) ? (FILE_GENERIC_READ | FILE_GENERIC_EXECUTE)
                                                                     : kChangeAccess;
  const BYTE inherit = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
  return {sids::kAdministrators,
          false,
          {{sids::kAdministrators, FILE_ALL_ACCESS, inherit},
           {sids::kSystem, FILE_ALL_ACCESS, inherit},
           {sids::kUsers, users, inherit}}};
}

DWORD ResolveExisting(LPCSTR name, ResolvedPath& p) {
  if (DWORD err = ResolvePath(name ? name : "", p)) return err;
  if (!p.parentExists) return ERROR_PATH_NOT_FOUND;
  return p.exists ? 0 : ERROR_FILE_NOT_FOUND;
}

}  // namespace

BOOL WINAPI EqualSid(PSID pSid1, PSID pSid2) {
  auto a = SidText(pSid1), b = SidText(pSid2);
  SetError(0);
  return a && b && *a == *b ? TRUE : FALSE;
}

DWORD WINAPI GetLengthSid(PSID pSid) { return static_cast<DWORD>(SidLength(pSid)); }

BOOL WINAPI InitializeAcl(PACL pAcl, DWORD nAclLength, DWORD dwAclRevision) {
  if (nAclLength < sizeof(ACL)) return SetError(ERROR_INSUFFICIENT_BUFFER), FALSE;
  if (nAclLength > 0xFFFF || (dwAclRevision != ACL_REVISION && dwAclRevision != 4))
    return SetError(ERROR_INVALID_PARAMETER), FALSE;
  std::memset(pAcl, 0, sizeof(ACL));
  pAcl->AclRevision = static_cast<BYTE>(dwAclRevision);
  pAcl->AclSize = static_cast<WORD>(nAclLength);
  SetError(0);
  return TRUE;
}

BOOL WINAPI AddAccessAllowedAceEx(PACL pAcl, DWORD dwAceRevision, DWORD AceFlags, DWORD AccessMask, PSID pSid) {
  if (!SidText(pSid)) return SetError(ERROR_INVALID_SID), FALSE;
  if (!ValidAcl(pAcl) || dwAceRevision > pAcl->AclRevision) return SetError(ERROR_INVALID_ACL), FALSE;
  if (AceFlags & ~0x1Fu) return SetError(ERROR_INVALID_FLAGS), FALSE;
  size_t at = AclBytesInUse(pAcl);
  size_t sidLength = SidLength(pSid);
  size_t size = sizeof(ACE_HEADER) + sizeof(ACCESS_MASK) + sidLength;
  if (at + size > pAcl->AclSize) return SetError(ERROR_ALLOTTED_SPACE_EXCEEDED), FALSE;
  BYTE* out = reinterpret_cast<BYTE*>(pAcl) + at;
  ACE_HEADER header{ACCESS_ALLOWED_ACE_TYPE, static_cast<BYTE>(AceFlags), static_cast<WORD>(size)};
  std::memcpy(out, &header, sizeof header);
  std::memcpy(out + sizeof header, &AccessMask, sizeof AccessMask);
  std::memcpy(out + sizeof header + sizeof AccessMask, pSid, sidLength);
  ++pAcl->AceCount;
  SetError(0);
  return TRUE;
}

BOOL WINAPI GetAclInformation(PACL pAcl, LPVOID pAclInformation, DWORD nAclInformationLength,
                              ACL_INFORMATION_CLASS dwAclInformationClass) {
  if (dwAclInformationClass != AclSizeInformation) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  if (nAclInformationLength < sizeof(ACL_SIZE_INFORMATION)) return SetError(ERROR_INSUFFICIENT_BUFFER), FALSE;
  if (!ValidAcl(pAcl)) return SetError(ERROR_INVALID_ACL), FALSE;
  size_t used = AclBytesInUse(pAcl);
  ACL_SIZE_INFORMATION info{pAcl->AceCount, static_cast<DWORD>(used), static_cast<DWORD>(pAcl->AclSize - used)};
  std::memcpy(pAclInformation, &info, sizeof info);
  SetError(0);
  return TRUE;
}

BOOL WINAPI GetAce(PACL pAcl, DWORD dwAceIndex, LPVOID* pAce) {
  if (!ValidAcl(pAcl) || dwAceIndex >= pAcl->AceCount) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  BYTE* at = reinterpret_cast<BYTE*>(pAcl) + sizeof(ACL);
  for (DWORD i = 0; i < dwAceIndex; ++i) at += reinterpret_cast<ACE_HEADER*>(at)->AceSize;
  *pAce = at;
  SetError(0);
  return TRUE;
}

BOOL WINAPI InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR pSecurityDescriptor, DWORD dwRevision) {
  if (dwRevision != SECURITY_DESCRIPTOR_REVISION) return SetError(ERROR_INVALID_REVISION), FALSE;
  std::memset(pSecurityDescriptor, 0, sizeof(SECURITY_DESCRIPTOR));
  static_cast<PISECURITY_DESCRIPTOR>(pSecurityDescriptor)->Revision = SECURITY_DESCRIPTOR_REVISION;
  SetError(0);
  return TRUE;
}

BOOL WINAPI SetSecurityDescriptorOwner(PSECURITY_DESCRIPTOR pSecurityDescriptor, PSID pOwner, BOOL bOwnerDefaulted) {
  PISECURITY_DESCRIPTOR sd = Absolute(pSecurityDescriptor);
  if (!sd) return SetError(ERROR_INVALID_SECURITY_DESCR), FALSE;
  sd->Owner = pOwner;
  sd->Control = static_cast<WORD>((sd->Control & ~SE_OWNER_DEFAULTED) | (bOwnerDefaulted ? SE_OWNER_DEFAULTED : 0));
  SetError(0);
  return TRUE;
}

BOOL WINAPI SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR pSecurityDescriptor, BOOL bDaclPresent, PACL pDacl,
                                      BOOL bDaclDefaulted) {
  PISECURITY_DESCRIPTOR sd = Absolute(pSecurityDescriptor);
  if (!sd) return SetError(ERROR_INVALID_SECURITY_DESCR), FALSE;
  sd->Control = static_cast<WORD>(sd->Control & ~(SE_DACL_PRESENT | SE_DACL_DEFAULTED));
  sd->Dacl = bDaclPresent ? pDacl : nullptr;
  if (bDaclPresent) sd->Control |= SE_DACL_PRESENT | (bDaclDefaulted ? SE_DACL_DEFAULTED : 0);
  SetError(0);
  return TRUE;
}

BOOL WINAPI SetSecurityDescriptorControl(PSECURITY_DESCRIPTOR pSecurityDescriptor,
                                         SECURITY_DESCRIPTOR_CONTROL ControlBitsOfInterest,
                                         SECURITY_DESCRIPTOR_CONTROL ControlBitsToSet) {
  auto* sd = static_cast<PISECURITY_DESCRIPTOR>(pSecurityDescriptor);
  if (!sd || sd->Revision != SECURITY_DESCRIPTOR_REVISION) return SetError(ERROR_INVALID_SECURITY_DESCR), FALSE;
  if ((ControlBitsOfInterest | ControlBitsToSet) & ~kSettableControl) return SetError(ERROR_INVALID_PARAMETER), FALSE;
  sd->Control = static_cast<WORD>((sd->Control & ~ControlBitsOfInterest) | (ControlBitsToSet & ControlBitsOfInterest));
  SetError(0);
  return TRUE;
}

BOOL WINAPI GetSecurityDescriptorOwner(PSECURITY_DESCRIPTOR pSecurityDescriptor, PSID* pOwner,
                                       LPBOOL lpbOwnerDefaulted) {
  DescriptorParts parts;
  if (!ReadDescriptor(pSecurityDescriptor, parts)) return SetError(ERROR_INVALID_SECURITY_DESCR), FALSE;
  *pOwner = const_cast<void*>(parts.owner);
  *lpbOwnerDefaulted = (parts.control & SE_OWNER_DEFAULTED) ? TRUE : FALSE;
  SetError(0);
  return TRUE;
}

BOOL WINAPI GetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR pSecurityDescriptor, LPBOOL lpbDaclPresent, PACL* pDacl,
                                      LPBOOL lpbDaclDefaulted) {
  DescriptorParts parts;
  if (!ReadDescriptor(pSecurityDescriptor, parts)) return SetError(ERROR_INVALID_SECURITY_DESCR), FALSE;
  *lpbDaclPresent = parts.daclPresent ? TRUE : FALSE;
  if (parts.daclPresent) {
    *pDacl = const_cast<PACL>(parts.dacl);
    *lpbDaclDefaulted = (parts.control & SE_DACL_DEFAULTED) ? TRUE : FALSE;
  }
  SetError(0);
  return TRUE;
}

BOOL WINAPI GetSecurityDescriptorControl(PSECURITY_DESCRIPTOR pSecurityDescriptor,
                                         PSECURITY_DESCRIPTOR_CONTROL pControl, LPDWORD lpdwRevision) {
  DescriptorParts parts;
  if (!ReadDescriptor(pSecurityDescriptor, parts)) return SetError(ERROR_INVALID_SECURITY_DESCR), FALSE;
  *pControl = parts.control;
  *lpdwRevision = SECURITY_DESCRIPTOR_REVISION;
  SetError(0);
  return TRUE;
}

BOOL WINAPI GetFileSecurityA(LPCSTR lpFileName, SECURITY_INFORMATION RequestedInformation,
                             PSECURITY_DESCRIPTOR pSecurityDescriptor, DWORD nLength, LPDWORD lpnLengthNeeded) {
  ResolvedPath p;
  if (DWORD err = ResolveExisting(lpFileName, p)) return SetError(err), FALSE;
  FileSecurity sec = SecurityOf(p);
  if (!(GrantedAccess(sec) & READ_CONTROL)) return SetError(ERROR_ACCESS_DENIED), FALSE;
  std::vector<std::uint8_t> bytes = SelfRelativeDescriptor(sec, RequestedInformation);
  *lpnLengthNeeded = static_cast<DWORD>(bytes.size());
  if (nLength < bytes.size() || !pSecurityDescriptor) return SetError(ERROR_INSUFFICIENT_BUFFER), FALSE;
  std::memcpy(pSecurityDescriptor, bytes.data(), bytes.size());
  SetError(0);
  return TRUE;
}

// The owner may be set to the caller or a group it may own by (WRITE_OWNER, or the privilege to
// take ownership); any owner with the privilege to restore files. The DACL needs WRITE_DAC.
BOOL WINAPI SetFileSecurityA(LPCSTR lpFileName, SECURITY_INFORMATION SecurityInformation,
                             PSECURITY_DESCRIPTOR pSecurityDescriptor) {
  ResolvedPath p;
  DWORD err = ResolveExisting(lpFileName, p);
  FileSecurity sec;
  std::optional<FileSecurity> asked;
  if (!err) {
    sec = SecurityOf(p);
    asked = DescriptorSecurity(pSecurityDescriptor);
    if (!asked) err = ERROR_INVALID_SECURITY_DESCR;
  }
  bool owner = SecurityInformation & OWNER_SECURITY_INFORMATION, dacl = SecurityInformation & DACL_SECURITY_INFORMATION;
  if (!err && owner) {
    bool restore = PrivilegeEnabled(kRestorePrivilege);
    bool mayOwn = !asked->owner.empty() && (CallerDefaultOwner() == asked->owner ||
                                             (CallerHas(asked->owner) && asked->owner != sids::kEveryone &&
                                              asked->owner != sids::kUsers && asked->owner != sids::kAuthenticatedUsers));
    if (asked->owner.empty()) err = ERROR_INVALID_OWNER;
    else if (!(GrantedAccess(sec) & WRITE_OWNER) && !PrivilegeEnabled(kTakeOwnershipPrivilege) && !restore)
      err = ERROR_ACCESS_DENIED;
    else if (!mayOwn && !restore) err = ERROR_INVALID_OWNER;
  }
  if (!err && dacl && !(GrantedAccess(sec) & WRITE_DAC)) err = ERROR_ACCESS_DENIED;
  if (!err) {
    if (owner) sec.owner = asked->owner;
    if (dacl) {
      sec.daclProtected = asked->daclProtected;
      sec.dacl = asked->dacl;
    }
    M().State<SecurityStore>().Set(p.windows, sec);
  }
  std::string what = std::string(owner ? " owner" : "") + (dacl ? " dacl" : "");
  TraceResult("file.security", TracePath(p.windows.empty() ? (lpFileName ? lpFileName : "") : p.windows) + what, err);
  SetError(err);
  return err ? FALSE : TRUE;
}
