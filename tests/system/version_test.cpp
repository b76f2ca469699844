// GetOSVersion reduces the running system to its version code.
#include "sys/OSVersion.h"

#include "support/machine_fixture.h"

namespace {

struct VersionCase {
  bool nt;
  int major;
  int minor;
  int code;
};

class OSVersionTest : public k7x::test::MachineTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(OSVersionTest, MapsFamilyAndVersionToTheCode) {
  const VersionCase& c = GetParam();
  winemu::CreateOptions o;
  o.nt = c.nt;
  o.major = c.major;
  o.minor = c.minor;
  MakeMachine(o);
  EXPECT_EQ(GetOSVersion(), c.code) << (c.nt ? "NT " : "9x ") << c.major << "." << c.minor;
}

INSTANTIATE_TEST_SUITE_P(EveryRow, OSVersionTest,
                         ::testing::Values(VersionCase{false, 3, 10, OS_WIN32S}, VersionCase{false, 4, 0, OS_WIN95},
                                           VersionCase{false, 4, 3, OS_WIN95}, VersionCase{false, 5, 0, OS_WIN95},
                                           VersionCase{false, 4, 10, OS_WIN98}, VersionCase{false, 4, 90, OS_WINME},
                                           VersionCase{true, 3, 51, OS_NT_OTHER}, VersionCase{true, 4, 0, OS_NT4},
                                           VersionCase{true, 4, 7, OS_NT4}, VersionCase{true, 5, 0, OS_WIN2000},
                                           VersionCase{true, 5, 1, OS_WINXP}, VersionCase{true, 5, 2, OS_WIN2003},
                                           VersionCase{true, 6, 0, OS_VISTA}, VersionCase{true, 6, 1, OS_WIN7},
                                           VersionCase{true, 6, 2, OS_NT_OTHER}, VersionCase{true, 10, 0, OS_NT_OTHER},
                                           VersionCase{true, 5, 3, OS_NT_OTHER}));

class OSVersionFailureTest : public k7x::test::MachineTest {};

TEST_F(OSVersionFailureTest, AFailingVersionQueryLeavesThePresetCode) {
  winemu::CreateOptions o;
  o.faults["getversionex_fails"] = "";
  MakeMachine(o);
  EXPECT_EQ(GetOSVersion(), OS_NT_OTHER);
  o.nt = false;
  o.major = 4;
  o.minor = 10;
  MakeMachine(o);
  EXPECT_EQ(GetOSVersion(), OS_WIN95);
}

}  // namespace
