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

// id -> size from the manifest ("ID NAME SIZE FILE KIND DESCRIPTION...", '#' comments).
std::map<std::uint16_t, std::uint32_t> Manifest() {
  std::map<std::uint16_t, std::uint32_t> ids;
  std::ifstream in(K7X_PAYLOAD_MANIFEST);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    unsigned id = 0, size = 0;
    std::string name;
    if (line.empty() || line[0] == '#' || !(s >> id >> name >> size)) continue;
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

namespace {

// The resource of `typeId` (any name and language), with its bytes.
std::string ResourceBytes(const std::vector<std::uint8_t>& file, const k7x::test::PeImage& image, std::uint16_t typeId,
                          int& count) {
  std::string bytes;
  count = 0;
  for (const auto& r : image.resources)
    if (r.type.empty() && r.typeId == typeId) {
      ++count;
      bytes.assign(file.begin() + static_cast<std::ptrdiff_t>(r.offset),
                   file.begin() + static_cast<std::ptrdiff_t>(r.offset + r.size));
    }
  return bytes;
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// A text as the version resource stores it: UTF-16LE, ASCII only here.
std::string Utf16(const std::string& ascii) {
  std::string out;
  for (char c : ascii) out += {c, '\0'};
  return out;
}

TEST(SetupExe, AsksForAnAdministratorInAFormXpAcceptsAndSaysWhatItIs) {
  std::vector<std::uint8_t> bytes = ReadAll(K7X_WINDOWS_EXE);
  k7x::test::PeImage image = k7x::test::ReadPeImage(bytes);
  ASSERT_EQ(image.error, "");
  int manifests = 0;
  std::string manifest = ResourceBytes(bytes, image, 24, manifests);
  EXPECT_EQ(manifests, 1);
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"requireAdministrator\""), std::string::npos);
  EXPECT_EQ(Occurrences(manifest, "<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v2\">"), 1u);
  EXPECT_LE(Occurrences(manifest, "urn:schemas-microsoft-com:asm.v3"), 1u);
  EXPECT_NE(manifest.find("{e2011457-1546-43c5-a5fe-008deee3d3f0}"), std::string::npos);  // Vista
  EXPECT_NE(manifest.find("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"), std::string::npos);  // Windows 7

  int versions = 0;
  std::string version = ResourceBytes(bytes, image, 16, versions);
  EXPECT_EQ(versions, 1);
  for (const char* part : {"040904B0", "080404B0", "CompanyName", "FileDescription", "ProductName",
                           "OriginalFilename", "setup.exe", "K7X printer driver"})
    EXPECT_NE(version.find(Utf16(part)), std::string::npos) << part;
  EXPECT_EQ(Occurrences(version, Utf16("1.0") + std::string(2, '\0')), 4u);  // file and product version, twice
  // 驱动安装向导, the About box's name, in the Chinese (PRC) block.
  EXPECT_NE(version.find(std::string("\x71\x9a\xa8\x52\x89\x5b\xc5\x88\x11\x54\xfc\x5b", 12)), std::string::npos);
}

TEST(SetupExe, ImportsOnlyLibrariesWindowsTakesFromTheSystemDirectory) {
  std::vector<std::uint8_t> bytes = ReadAll(K7X_WINDOWS_EXE);
  k7x::test::PeImage image = k7x::test::ReadPeImage(bytes);
  ASSERT_EQ(image.error, "");
  ASSERT_FALSE(image.imports.empty());
  // The known DLLs of Windows 2000 to 7 the program may import.
  const std::vector<std::string> known = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL", "MSVCRT.DLL"};
  for (std::string name : image.imports) {
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_NE(std::find(known.begin(), known.end(), name), known.end()) << name;
  }
}

}  // namespace
