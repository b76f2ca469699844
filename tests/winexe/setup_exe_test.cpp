// The Windows product as built: a 32-bit GUI program that carries every payload of the manifest.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "pe_resources.h"

namespace {

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// id -> size from the manifest ("ID SIZE FILE KIND DESCRIPTION...", '#' comments).
std::map<std::uint16_t, std::uint32_t> Manifest() {
  std::map<std::uint16_t, std::uint32_t> ids;
  std::ifstream in(K7X_PAYLOAD_MANIFEST);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    unsigned id = 0, size = 0;
    if (line.empty() || line[0] == '#' || !(s >> id >> size)) continue;
    ids[static_cast<std::uint16_t>(id)] = size;
  }
  return ids;
}

TEST(SetupExe, IsA32BitGuiProgramCarryingEveryPayloadInChinesePrc) {
  std::vector<std::uint8_t> bytes = ReadAll(K7X_WINDOWS_EXE);
  ASSERT_FALSE(bytes.empty()) << K7X_WINDOWS_EXE;
  k7x::test::PeImage image = k7x::test::ReadPeImage(bytes);
  ASSERT_EQ(image.error, "");
  EXPECT_EQ(image.machine, 0x14C);  // i386
  EXPECT_EQ(image.subsystem, 2);    // Windows GUI
  std::map<std::uint16_t, std::uint32_t> payload;
  for (const auto& r : image.resources) {
    if (r.type != u"OWNER_DATA") continue;
    EXPECT_EQ(r.language, 0x0804) << r.id;
    payload[r.id] = r.size;
  }
  std::map<std::uint16_t, std::uint32_t> expected = Manifest();
  ASSERT_EQ(expected.size(), 61u);
  EXPECT_EQ(payload, expected);
}

TEST(PeImageReader, RejectsWhatIsNotAWholeImage) {
  std::vector<std::uint8_t> bytes = ReadAll(K7X_WINDOWS_EXE);
  ASSERT_GT(bytes.size(), 4096u);
  EXPECT_EQ(k7x::test::ReadPeImage(std::span(bytes).first(200)).error, "optional header cut short");
  EXPECT_NE(k7x::test::ReadPeImage(std::span(bytes).first(bytes.size() / 2)).error, "");
  EXPECT_EQ(k7x::test::ReadPeImage(std::vector<std::uint8_t>(10, 0)).error, "no MZ header");
}

}  // namespace
