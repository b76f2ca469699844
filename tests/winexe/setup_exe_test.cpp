// The Windows product as built: a 32-bit GUI program that carries every payload of the manifest.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

// Payload 255 is the project's uninstaller: a GUI program for i386 that imports no winspool.drv,
// asks for administrator rights, carries a version resource, and is padded with zero bytes after
// its image to the catalog's size.
TEST(SetupExe, ItsUninstallerIsA32BitGuiProgramPaddedToThePayloadSize) {
  std::vector<std::uint8_t> bytes = ReadAll(K7X_WINDOWS_EXE);
  k7x::test::PeImage setup = k7x::test::ReadPeImage(bytes);
  ASSERT_EQ(setup.error, "");
  auto payload = std::find_if(setup.resources.begin(), setup.resources.end(),
                              [](const auto& r) { return r.type == u"OWNER_DATA" && r.id == 255; });
  ASSERT_NE(payload, setup.resources.end());
  ASSERT_EQ(payload->size, 225280u);
  std::span<const std::uint8_t> program(bytes.data() + payload->fileOffset, payload->size);

  k7x::test::PeImage image = k7x::test::ReadPeImage(program);
  ASSERT_EQ(image.error, "");
  EXPECT_EQ(image.machine, 0x14C);
  EXPECT_EQ(image.subsystem, 2);
  std::vector<std::string> imports;
  for (std::string dll : image.imports) {
    for (char& c : dll) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    imports.push_back(dll);
  }
  std::sort(imports.begin(), imports.end());
  EXPECT_EQ(imports, (std::vector<std::string>{"ADVAPI32.DLL", "KERNEL32.DLL", "MSVCRT.DLL", "USER32.DLL"}));
  std::map<std::uint16_t, int> types;
  for (const auto& r : image.resources) ++types[r.typeId];
  EXPECT_EQ(types[16], 1);  // RT_VERSION
  ASSERT_EQ(types[24], 1);  // RT_MANIFEST
  auto manifest = std::find_if(image.resources.begin(), image.resources.end(), [](const auto& r) { return r.typeId == 24; });
  std::string text(program.begin() + manifest->fileOffset, program.begin() + manifest->fileOffset + manifest->size);
  EXPECT_NE(text.find("level=\"requireAdministrator\""), std::string::npos);

  ASSERT_LT(image.imageEnd, program.size());
  EXPECT_TRUE(std::all_of(program.begin() + image.imageEnd, program.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(PeImageReader, RejectsWhatIsNotAWholeImage) {
  std::vector<std::uint8_t> bytes = ReadAll(K7X_WINDOWS_EXE);
  ASSERT_GT(bytes.size(), 4096u);
  EXPECT_EQ(k7x::test::ReadPeImage(std::span(bytes).first(200)).error, "optional header cut short");
  EXPECT_NE(k7x::test::ReadPeImage(std::span(bytes).first(bytes.size() / 2)).error, "");
  EXPECT_EQ(k7x::test::ReadPeImage(std::vector<std::uint8_t>(10, 0)).error, "no MZ header");
}

}  // namespace
