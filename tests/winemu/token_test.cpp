// The process token: Administrators membership and elevation as each kind of machine reports them.
#include <windows.h>

#include "support/machine_fixture.h"

namespace {

class TokenTest : public k7x::test::MachineTest {
 protected:
  bool IsMember(DWORD rid) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    EXPECT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, rid, 0, 0, 0, 0, 0, 0, &sid));
    BOOL member = 2;
    EXPECT_TRUE(CheckTokenMembership(nullptr, sid, &member));
    EXPECT_EQ(FreeSid(sid), nullptr);
    return member == TRUE;
  }
  // The elevation, or the error GetTokenInformation fails with (as a negative number).
  long Elevation() {
    HANDLE token = nullptr;
    EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    TOKEN_ELEVATION elevation = {7};
    DWORD size = 0;
    long result = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size)
                      ? static_cast<long>(elevation.TokenIsElevated)
                      : -static_cast<long>(GetLastError());
    EXPECT_TRUE(CloseHandle(token));
    return result;
  }
};

TEST_F(TokenTest, AnAdministratorIsInTheGroupAndElevatedWhereUacExists) {
  MakeMachine(5, 1, true);
  EXPECT_TRUE(IsMember(DOMAIN_ALIAS_RID_ADMINS));
  EXPECT_EQ(Elevation(), -static_cast<long>(ERROR_INVALID_PARAMETER));  // XP knows no elevation
  MakeMachine(6, 1, true);
  EXPECT_TRUE(IsMember(DOMAIN_ALIAS_RID_ADMINS));
  EXPECT_EQ(Elevation(), 1);
}

TEST_F(TokenTest, AUserIsOnlyInUsersAndNotElevated) {
  MakeMachine(5, 0, false);
  EXPECT_FALSE(IsMember(DOMAIN_ALIAS_RID_ADMINS));
  EXPECT_TRUE(IsMember(0x221));
  MakeMachine(6, 0, false);
  EXPECT_FALSE(IsMember(DOMAIN_ALIAS_RID_ADMINS));
  EXPECT_EQ(Elevation(), 0);
}

TEST_F(TokenTest, APrimaryTokenCannotBeCheckedAndTheElevationNeedsRoom) {
  MakeMachine(6, 1, true);
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID sid = nullptr;
  ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                       0, &sid));
  BOOL member = FALSE;
  EXPECT_FALSE(CheckTokenMembership(token, sid, &member));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_IMPERSONATION_TOKEN));
  FreeSid(sid);
  DWORD size = 0;
  TOKEN_ELEVATION elevation;
  EXPECT_FALSE(GetTokenInformation(token, TokenElevation, &elevation, 2, &size));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(size, sizeof(TOKEN_ELEVATION));
  CloseHandle(token);
}

}  // namespace
