#include <gtest/gtest.h>

#include "winemu/include/winemu/winerror.h"
#include "winemu/machine/paths.h"

namespace {

std::string Norm(const std::string& path, const std::string& cwd = "C:\\Setup") {
  std::string out;
  std::uint32_t err = winemu::NormalizePath(path, cwd, out);
  return err ? "error " + std::to_string(err) : out;
}

TEST(NormalizePath, FoldsSeparatorsDotsAndRelativeParts) {
  EXPECT_EQ(Norm("C:\\TEMP\\x86"), "C:\\TEMP\\x86");
  EXPECT_EQ(Norm("c:/temp//i386/"), "C:\\temp\\i386");
  EXPECT_EQ(Norm("Language\\Multi_eng.dll"), "C:\\Setup\\Language\\Multi_eng.dll");
  EXPECT_EQ(Norm("\\WINDOWS\\inf"), "C:\\WINDOWS\\inf");
  EXPECT_EQ(Norm("C:\\a\\.\\b\\..\\c"), "C:\\a\\c");
  EXPECT_EQ(Norm("C:\\..\\..\\x"), "C:\\x");
  EXPECT_EQ(Norm("C:\\dir\\name. . "), "C:\\dir\\name");
  EXPECT_EQ(Norm("C:\\"), "C:\\");
}

TEST(NormalizePath, RefusesWhatWindowsRefuses) {
  EXPECT_EQ(Norm("C:\\a<b"), "error " + std::to_string(ERROR_INVALID_NAME));
  EXPECT_EQ(Norm("C:\\a\"b"), "error " + std::to_string(ERROR_INVALID_NAME));
  EXPECT_EQ(Norm("C:\\a\x01"), "error " + std::to_string(ERROR_INVALID_NAME));
  EXPECT_EQ(Norm("C:\\*.dll"), "error " + std::to_string(ERROR_INVALID_NAME));
  EXPECT_EQ(Norm("D:\\x"), "error " + std::to_string(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(Norm("C:\\" + std::string(257, 'a')), "error " + std::to_string(ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(Norm("C:\\" + std::string(256, 'a')), "C:\\" + std::string(256, 'a'));
  std::string out;
  EXPECT_EQ(winemu::NormalizePath("C:\\Lang\\*.dll", "C:\\", out, true), 0u);
  EXPECT_EQ(winemu::NormalizePath("C:\\L*g\\*.dll", "C:\\", out, true), static_cast<std::uint32_t>(ERROR_INVALID_NAME));
}

TEST(WildcardMatch, MatchesWithoutCase) {
  EXPECT_TRUE(winemu::WildcardMatch("*.dll", "Multi_eng.DLL"));
  EXPECT_TRUE(winemu::WildcardMatch("oem?.inf", "OEM7.INF"));
  EXPECT_FALSE(winemu::WildcardMatch("oem?.inf", "oem17.inf"));
  EXPECT_FALSE(winemu::WildcardMatch("*.dll", "."));
  EXPECT_TRUE(winemu::WildcardMatch("*", ".."));
  EXPECT_TRUE(winemu::WildcardMatch("*a*b", "xxaxxb"));
  EXPECT_FALSE(winemu::WildcardMatch("*a*b", "xxaxxbc"));
  // A trailing "." or ".*" also matches a name without an extension.
  EXPECT_TRUE(winemu::WildcardMatch("*.*", "Delta"));
  EXPECT_TRUE(winemu::WildcardMatch("oem1.*", "OEM1"));
  EXPECT_TRUE(winemu::WildcardMatch("*.", "Delta"));
  EXPECT_FALSE(winemu::WildcardMatch("*.inf", "Delta"));
}

}  // namespace
