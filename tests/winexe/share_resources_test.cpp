// The resource sharing of the build, on the linked program it rewrites: what it refuses, each
// with its reason, and that the rewritten image is one the PE reader takes whole.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "pe_resources.h"
#include "share_resources.h"

namespace {

using k7x::tools::PeError;
using k7x::tools::ShareEqualResources;

std::vector<std::uint8_t> Linked() {
  std::ifstream in(K7X_WINDOWS_LINKED_EXE, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string Refusal(const std::vector<std::uint8_t>& image) {
  try {
    ShareEqualResources(image);
  } catch (const PeError& e) {
    return e.what();
  }
  return "";
}

TEST(ShareResources, KeepsEveryResourceAndEveryOtherSectionOfTheImage) {
  std::vector<std::uint8_t> linked = Linked();
  ASSERT_FALSE(linked.empty()) << K7X_WINDOWS_LINKED_EXE;
  k7x::tools::SharedResources shared = ShareEqualResources(linked);
  k7x::test::PeImage before = k7x::test::ReadPeImage(linked), after = k7x::test::ReadPeImage(shared.image);
  ASSERT_EQ(after.error, "");
  ASSERT_EQ(before.resources.size(), after.resources.size());
  for (std::size_t i = 0; i < before.resources.size(); ++i) {
    const auto &a = before.resources[i], &b = after.resources[i];
    EXPECT_TRUE(a.type == b.type && a.typeId == b.typeId && a.id == b.id && a.language == b.language && a.size == b.size);
    EXPECT_TRUE(std::equal(linked.begin() + a.offset, linked.begin() + a.offset + a.size, shared.image.begin() + b.offset));
  }
  EXPECT_EQ(after.imports, before.imports);
  EXPECT_LT(shared.blobs, shared.resources);
  // The headers and sections before the resources are the linker's, but for the sizes and checksum.
  k7x::tools::PeLayout layout = k7x::tools::ReadPeLayout(shared.image);
  EXPECT_EQ(k7x::tools::Get32(shared.image, layout.optionalOffset + 64),
            k7x::tools::PeChecksum(shared.image, layout.optionalOffset + 64));
  std::size_t firstRaw = layout.sections.front().rawOffset, resourcesRaw = 0;
  for (const auto& s : layout.sections)
    if (s.rva == layout.directories[2].rva) resourcesRaw = s.rawOffset;
  ASSERT_GT(resourcesRaw, firstRaw);
  EXPECT_TRUE(std::equal(linked.begin() + firstRaw, linked.begin() + resourcesRaw, shared.image.begin() + firstRaw));
}

TEST(ShareResources, RefusesImagesItCannotRewriteSafely) {
  std::vector<std::uint8_t> linked = Linked();
  ASSERT_FALSE(linked.empty());
  k7x::tools::PeLayout layout = k7x::tools::ReadPeLayout(linked);

  std::vector<std::uint8_t> signedImage = linked;
  k7x::tools::Put32(signedImage, layout.directories[4].headerOffset + 4, 16);
  EXPECT_EQ(Refusal(signedImage), "the image is signed; share its resources before signing it");

  std::vector<std::uint8_t> overlay = linked;
  overlay.push_back(0);
  EXPECT_EQ(Refusal(overlay), "data follows the last section");

  std::vector<std::uint8_t> loop = linked;  // the first type entry pointing back at the root
  std::size_t root = layout.sections[0].rawOffset;
  for (const auto& s : layout.sections)
    if (s.rva == layout.directories[2].rva) root = s.rawOffset;
  k7x::tools::Put32(loop, root + 16 + 4, 0x80000000u);
  EXPECT_EQ(Refusal(loop), "the resource tree is deeper than type, name and language");

  EXPECT_EQ(Refusal(std::vector<std::uint8_t>(linked.begin(), linked.begin() + 300)), "the optional header lies beyond the end of the file");
  EXPECT_EQ(Refusal(std::vector<std::uint8_t>(64, 0)), "no MZ header");
}

}  // namespace
