// One key with very many values stays linear: setting, finding, removing and reading its text back
// (20,000 values took minutes at quadratic cost).
#include <gtest/gtest.h>

#include <string>

#include "winemu/advapi32/reg_text.h"
#include "winemu/advapi32/reg_tree.h"

namespace {

using winemu::reg::Key;

constexpr int kValues = 20000;

std::string Name(int i) { return "Value" + std::to_string(i); }

TEST(RegistryScale, OneKeyWithManyValuesKeepsOrderAndFindsEachWithoutCase) {
  Key key("", 1252);
  for (int i = 0; i < kValues; ++i) key.SetValue(Name(i), 1, std::to_string(i));
  key.SetValue("VALUE7", 4, "seven");  // an existing value keeps its place and its spelling
  ASSERT_EQ(key.Values().size(), static_cast<size_t>(kValues));
  EXPECT_EQ(key.Values()[7].name, "Value7");
  EXPECT_EQ(key.Values()[7].data, "seven");
  EXPECT_TRUE(key.RemoveValue("value3"));
  EXPECT_FALSE(key.RemoveValue("value3"));
  EXPECT_EQ(key.Values()[3].name, "Value4");
  for (int i : {0, 4, kValues / 2, kValues - 1}) {
    ASSERT_NE(key.FindValue(Name(i)), nullptr) << i;
    EXPECT_EQ(key.FindValue(Name(i))->data, i == 7 ? "seven" : std::to_string(i));
  }
  key.SetValue("value3", 1, "back");  // a removed value comes back at the end
  EXPECT_EQ(key.Values().back().name, "value3");
  EXPECT_EQ(key.FindValue("VALUE3")->data, "back");
}

TEST(RegistryScale, TheTextOfOneKeyWithManyValuesReadsBack) {
  std::string text = "WINEMU REGISTRY 1 HKLM\nkey \"\"\nkey \"SOFTWARE\"\n";
  for (int i = 0; i < kValues; ++i) text += "value \"" + Name(i) + "\" REG_DWORD 4 hex:01,02,03,04\n";
  auto parsed = winemu::reg::ParseRegistryText(text, "HKLM", 1252);
  ASSERT_TRUE(parsed.root) << parsed.error;
  const Key* software = parsed.root->Child("software");
  ASSERT_NE(software, nullptr);
  EXPECT_EQ(software->Values().size(), static_cast<size_t>(kValues));
  EXPECT_EQ(winemu::reg::SerializeRegistryText(*parsed.root, "HKLM"), text);
  auto twice = winemu::reg::ParseRegistryText(text + "value \"VALUE9\" REG_SZ 0 \"\"\n", "HKLM", 1252);
  EXPECT_EQ(twice.error, "line " + std::to_string(kValues + 4) + ": value 'VALUE9' is listed twice in its key");
}

}  // namespace
