// The Windows product as built: a 32-bit GUI program that carries every payload of the manifest.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "pe_resources.h"

namespace {

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct Payload {
  std::uint32_t size = 0;
  std::string file;
};

// id -> size and file from the manifest ("ID NAME SIZE FILE KIND DESCRIPTION...", '#' comments).
std::map<std::uint16_t, Payload> Manifest() {
  std::map<std::uint16_t, Payload> ids;
  std::ifstream in(K7X_PAYLOAD_MANIFEST);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    unsigned id = 0;
    std::string name;
    Payload p;
    if (line.empty() || line[0] == '#' || !(s >> id >> name >> p.size >> p.file)) continue;
    ids[static_cast<std::uint16_t>(id)] = p;
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
  std::map<std::uint16_t, std::uint32_t> expected;
  for (const auto& [id, p] : Manifest()) expected[id] = p.size;
  ASSERT_EQ(expected.size(), 61u);
  EXPECT_EQ(payload, expected);
}

// Each id reads back exactly the bytes of its file as the build made it; ids of equal content
// share one copy, so the program stays within the distinct payload plus 400 KiB.
TEST(SetupExe, EveryPayloadReadsBackItsFileAndEqualContentsAreStoredOnce) {
  std::vector<std::uint8_t> bytes = ReadAll(K7X_WINDOWS_EXE);
  k7x::test::PeImage image = k7x::test::ReadPeImage(bytes);
  ASSERT_EQ(image.error, "");
  std::map<std::uint16_t, Payload> manifest = Manifest();
  std::map<std::vector<std::uint8_t>, std::set<std::uint64_t>> copiesByContent;
  std::size_t checked = 0;
  for (const auto& r : image.resources) {
    if (r.type != u"OWNER_DATA") continue;
    ASSERT_TRUE(manifest.count(r.id)) << r.id;
    std::vector<std::uint8_t> file = ReadAll(K7X_WINDOWS_PAYLOAD_DIR "/" + manifest[r.id].file);
    ASSERT_FALSE(file.empty()) << manifest[r.id].file;
    EXPECT_TRUE(std::equal(file.begin(), file.end(), bytes.begin() + static_cast<std::ptrdiff_t>(r.offset),
                           bytes.begin() + static_cast<std::ptrdiff_t>(r.offset + r.size)) && file.size() == r.size)
        << "payload " << r.id;
    copiesByContent[file].insert(r.offset);
    ++checked;
  }
  EXPECT_EQ(checked, manifest.size());
  std::uint64_t distinct = 0;
  for (const auto& [content, offsets] : copiesByContent) {
    EXPECT_EQ(offsets.size(), 1u) << "a content of " << content.size() << " bytes is stored " << offsets.size() << " times";
    distinct += content.size();
  }
  EXPECT_LE(bytes.size(), distinct + 400 * 1024);
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
  std::span<const std::uint8_t> program(bytes.data() + payload->offset, payload->size);

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
  std::string text(program.begin() + manifest->offset, program.begin() + manifest->offset + manifest->size);
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

// setup.exe, its uninstaller and printui.dll carry the project's version; a build whose
// BUILD-INFO.txt names placeholder files says so in each file description and a PrivateBuild text.
TEST(WindowsBuild, VersionResourcesCarryTheProjectVersionAndMarkAPlaceholderBuild) {
  std::ifstream info(K7X_WINDOWS_BUILD_DIR "/BUILD-INFO.txt");
  std::string text((std::istreambuf_iterator<char>(info)), {});
  ASSERT_NE(text.find("\nversion " K7X_VERSION "\n"), std::string::npos) << text;
  bool placeholders = text.find("\npayload placeholders: ") != std::string::npos;

  std::vector<std::uint8_t> setup = ReadAll(K7X_WINDOWS_EXE);
  k7x::test::PeImage setupImage = k7x::test::ReadPeImage(setup);
  auto uninstaller = std::find_if(setupImage.resources.begin(), setupImage.resources.end(),
                                  [](const auto& r) { return r.type == u"OWNER_DATA" && r.id == 255; });
  ASSERT_NE(uninstaller, setupImage.resources.end());
  std::vector<std::uint8_t> printui = ReadAll(K7X_WINDOWS_BUILD_DIR "/printui.dll");
  std::map<std::string, std::vector<std::uint8_t>> files = {
      {"setup.exe", setup},
      {"payload 255", std::vector<std::uint8_t>(setup.begin() + static_cast<std::ptrdiff_t>(uninstaller->offset),
                                                setup.begin() + static_cast<std::ptrdiff_t>(uninstaller->offset + uninstaller->size))},
      {"printui.dll", printui}};
  for (const auto& [name, bytes] : files) {
    k7x::test::PeImage image = k7x::test::ReadPeImage(bytes);
    ASSERT_EQ(image.error, "") << name;
    int versions = 0;
    std::string version = ResourceBytes(bytes, image, 16, versions);
    ASSERT_EQ(versions, 1) << name;
    EXPECT_NE(version.find(Utf16(K7X_VERSION) + std::string(2, '\0')), std::string::npos) << name;
    EXPECT_EQ(version.find(Utf16("PrivateBuild")) != std::string::npos, placeholders) << name;
    EXPECT_EQ(version.find(Utf16(" (placeholder payload, not for release)")) != std::string::npos, placeholders) << name;
  }
}

}  // namespace
