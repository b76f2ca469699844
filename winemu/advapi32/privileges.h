// The privileges of the program's token that file security consults.
#pragma once

#include <windows.h>

namespace winemu {

constexpr DWORD kTakeOwnershipPrivilege = 9;  // LUIDs as Windows numbers them
constexpr DWORD kRestorePrivilege = 18;

// Whether the program has enabled the privilege (AdjustTokenPrivileges).
bool PrivilegeEnabled(DWORD luid);

}  // namespace winemu
