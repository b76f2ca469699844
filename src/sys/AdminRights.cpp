#include "sys/AdminRights.h"

#include <windows.h>

namespace {

constexpr const char* kTexts[] = {
    "Setup needs administrator rights to install the printer driver. Log on as an administrator (on "
    "Windows Vista and Windows 7, choose \"Run as administrator\") and start setup again.\n"
    "Setup ends without changing anything.",
    // 安装打印机驱动程序需要管理员权限。请以管理员身份登录（在 Windows Vista 和 Windows 7 上请选择
    // “以管理员身份运行”），然后重新运行安装程序。\n安装程序将退出，不做任何更改。
    "\xb0\xb2\xd7\xb0\xb4\xf2\xd3\xa1\xbb\xfa\xc7\xfd\xb6\xaf\xb3\xcc\xd0\xf2\xd0\xe8\xd2\xaa\xb9\xdc\xc0\xed\xd4\xb1"
    "\xc8\xa8\xcf\xde\xa1\xa3\xc7\xeb\xd2\xd4\xb9\xdc\xc0\xed\xd4\xb1\xc9\xed\xb7\xdd\xb5\xc7\xc2\xbc\xa3\xa8\xd4\xda"
    " Windows Vista \xba\xcd Windows 7 \xc9\xcf\xc7\xeb\xd1\xa1\xd4\xf1\xa1\xb0\xd2\xd4\xb9\xdc\xc0\xed\xd4\xb1\xc9"
    "\xed\xb7\xdd\xd4\xcb\xd0\xd0\xa1\xb1\xa3\xa9\xa3\xac\xc8\xbb\xba\xf3\xd6\xd8\xd0\xc2\xd4\xcb\xd0\xd0\xb0\xb2\xd7"
    "\xb0\xb3\xcc\xd0\xf2\xa1\xa3\n\xb0\xb2\xd7\xb0\xb3\xcc\xd0\xf2\xbd\xab\xcd\xcb\xb3\xf6\xa3\xac\xb2\xbb\xd7\xf6"
    "\xc8\xce\xba\xce\xb8\xfc\xb8\xc4\xa1\xa3",
    // 安裝印表機驅動程式需要系統管理員權限。請以系統管理員身分登入（在 Windows Vista 和 Windows 7 上請選擇
    // 「以系統管理員身分執行」），然後重新執行安裝程式。\n安裝程式將結束，不做任何變更。
    "\xa6w\xb8\xcb\xa6L\xaa\xed\xbe\xf7\xc5X\xb0\xca\xb5{\xa6\xa1\xbb\xdd\xadn\xa8t\xb2\xce\xba\xde\xb2z\xad\xfb\xc5v"
    "\xad\xad\xa1" "C\xbd\xd0\xa5H\xa8t\xb2\xce\xba\xde\xb2z\xad\xfb\xa8\xad\xa4\xc0\xb5n\xa4J\xa1]\xa6" "b Windows "
    "Vista \xa9M Windows 7 \xa4W\xbd\xd0\xbf\xef\xbe\xdc\xa1u\xa5H\xa8t\xb2\xce\xba\xde\xb2z\xad\xfb\xa8\xad\xa4\xc0"
    "\xb0\xf5\xa6\xe6\xa1v\xa1^\xa1" "A\xb5M\xab\xe1\xad\xab\xb7s\xb0\xf5\xa6\xe6\xa6w\xb8\xcb\xb5{\xa6\xa1\xa1" "C\n"
    "\xa6w\xb8\xcb\xb5{\xa6\xa1\xb1N\xb5\xb2\xa7\xf4\xa1" "A\xa4\xa3\xb0\xb5\xa5\xf4\xa6\xf3\xc5\xdc\xa7\xf3\xa1" "C",
};

bool InAdministratorsGroup() {
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  PSID administrators = nullptr;
  if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                0, 0, &administrators))
    return false;
  BOOL member = FALSE;
  bool checked = CheckTokenMembership(nullptr, administrators, &member) != FALSE;
  FreeSid(administrators);
  return checked && member;
}

// Under user account control an administrator's programs run with a filtered token until elevated.
bool ElevatedWhereUacExists() {
  if (LOBYTE(LOWORD(GetVersion())) < 6) return true;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation = {0};
  DWORD size = 0;
  bool elevated = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                  elevation.TokenIsElevated != 0;
  CloseHandle(token);
  return elevated;
}

}  // namespace

bool HasAdministratorRights() { return InAdministratorsGroup() && ElevatedWhereUacExists(); }

const char* AdministratorRightsText(TextLanguage language) { return kTexts[static_cast<int>(language)]; }

bool RequireAdministratorRights(TextLanguage language, const char* caption) {
  if (HasAdministratorRights()) return true;
  MessageBoxA(nullptr, AdministratorRightsText(language), caption, MB_OK | MB_ICONSTOP);
  return false;
}
