// The committed bitmaps and icon are exactly what k7x-artgen draws, in the formats the
// resource script promises.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "image_files.h"

namespace {

namespace fs = std::filesystem;
using k7x::test::PaletteColour;

const fs::path kCommitted = K7X_ART_DIR;
const char* const kFiles[] = {"side.bmp", "logo.bmp", "setup.ico"};

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

k7x::test::Dib Bitmap(const char* name) {
  k7x::test::BmpRead r = k7x::test::ReadBmp(ReadAll(kCommitted / name));
  EXPECT_EQ(r.error, "") << name;
  return r.image;
}

bool IsWhite(PaletteColour c) { return c == PaletteColour{255, 255, 255}; }

TEST(Artwork, GeneratorRedrawsTheCommittedFilesByteForByte) {
  std::string pattern = (fs::temp_directory_path() / "k7x-artgen-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path dir = pattern;
  const std::string command = std::string("\"") + K7X_ARTGEN + "\" \"" + dir.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::set<std::string> written;
  for (const auto& entry : fs::directory_iterator(dir)) written.insert(entry.path().filename().string());
  EXPECT_EQ(written, (std::set<std::string>{std::begin(kFiles), std::end(kFiles)}));
  for (const char* name : kFiles) {
    const std::vector<std::uint8_t> committed = ReadAll(kCommitted / name);
    ASSERT_FALSE(committed.empty()) << name;
    EXPECT_TRUE(ReadAll(dir / name) == committed) << name << " differs from what k7x-artgen draws";
  }
  fs::remove_all(dir);
}

TEST(Artwork, GeneratorNeedsAnExistingDirectory) {
  const std::string command = std::string("\"") + K7X_ARTGEN + "\" /nonexistent/k7x-artgen 2>/dev/null";
  EXPECT_NE(std::system(command.c_str()), 0);
}

TEST(Artwork, SidePictureIs164By314In256ColoursMostlyBlue) {
  const k7x::test::Dib side = Bitmap("side.bmp");
  ASSERT_EQ(side.width, 164);
  ASSERT_EQ(side.height, 314);
  EXPECT_EQ(side.bitCount, 8);
  EXPECT_EQ(side.compression, 0u);
  EXPECT_EQ(side.palette.size(), 256u);
  int blue = 0;
  std::set<std::uint8_t> used;
  for (int y = 0; y < side.height; ++y) {
    for (int x = 0; x < side.width; ++x) {
      const PaletteColour c = side.Colour(x, y);
      if (c.b > c.r + 40 && c.b > c.g) ++blue;
      used.insert(side.Index(x, y));
    }
  }
  EXPECT_GT(blue, side.width * side.height * 6 / 10);
  EXPECT_GT(used.size(), 60u) << "a gradient and shaded drawing use many palette entries";
}

TEST(Artwork, LogoIs53By53PaletteBitmapOnWhite) {
  const k7x::test::Dib logo = Bitmap("logo.bmp");
  ASSERT_EQ(logo.width, 53);
  ASSERT_EQ(logo.height, 53);
  EXPECT_EQ(logo.bitCount, 8);
  EXPECT_EQ(logo.palette.size(), 256u);
  // It stands on the white banner: its corners are the banner's colour, its middle is not.
  for (auto [x, y] : {std::pair{0, 0}, {52, 0}, {0, 52}, {52, 52}}) EXPECT_TRUE(IsWhite(logo.Colour(x, y))) << x << "," << y;
  EXPECT_FALSE(IsWhite(logo.Colour(26, 36)));
}

TEST(Artwork, IconHolds32And16PixelImagesIn16And256Colours) {
  const k7x::test::IcoRead ico = k7x::test::ReadIco(ReadAll(kCommitted / "setup.ico"));
  ASSERT_EQ(ico.error, "");
  ASSERT_EQ(ico.entries.size(), 4u);
  const int sizes[] = {32, 16, 32, 16}, bits[] = {4, 4, 8, 8}, colours[] = {16, 16, 0, 0};
  for (std::size_t i = 0; i < 4; ++i) {
    const k7x::test::IconEntry& e = ico.entries[i];
    EXPECT_EQ(e.width, sizes[i]) << i;
    EXPECT_EQ(e.height, sizes[i]) << i;
    EXPECT_EQ(e.bitCount, bits[i]) << i;
    EXPECT_EQ(e.colourCount, colours[i]) << i;
    EXPECT_EQ(e.image.width, sizes[i]) << i;
    EXPECT_EQ(e.image.height, sizes[i]) << i;
    EXPECT_EQ(e.image.bitCount, bits[i]) << i;
    EXPECT_EQ(e.image.palette.size(), std::size_t{1} << bits[i]) << i;
    // A glyph on a transparent ground: the corners show what lies behind (mask set, colour
    // black so that it leaves the screen as it is), the middle is drawn.
    const int last = sizes[i] - 1;
    for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
      EXPECT_TRUE(e.image.Transparent(x, y)) << i << ": " << x << "," << y;
      EXPECT_EQ(e.image.Colour(x, y), (PaletteColour{0, 0, 0})) << i << ": " << x << "," << y;
    }
    EXPECT_FALSE(e.image.Transparent(sizes[i] / 2, sizes[i] / 2)) << i;
  }
  // Both colour depths of a size show the same silhouette.
  EXPECT_EQ(ico.entries[0].image.transparent, ico.entries[2].image.transparent);
  EXPECT_EQ(ico.entries[1].image.transparent, ico.entries[3].image.transparent);
}

TEST(ImageReaders, RejectForeignAndCutShortFiles) {
  const std::vector<std::uint8_t> bmp = ReadAll(kCommitted / "logo.bmp");
  const std::vector<std::uint8_t> ico = ReadAll(kCommitted / "setup.ico");
  ASSERT_GT(bmp.size(), 100u);
  ASSERT_GT(ico.size(), 100u);
  EXPECT_EQ(k7x::test::ReadBmp(ico).error, "not a BMP file");
  EXPECT_EQ(k7x::test::ReadBmp(std::span(bmp).first(bmp.size() - 1)).error, "file size field does not match the file");
  std::vector<std::uint8_t> shortRows = bmp;
  shortRows.resize(bmp.size() - 200);
  shortRows[2] = static_cast<std::uint8_t>(shortRows.size());
  shortRows[3] = static_cast<std::uint8_t>(shortRows.size() >> 8);
  EXPECT_EQ(k7x::test::ReadBmp(shortRows).error, "pixel rows cut short");
  EXPECT_EQ(k7x::test::ReadIco(bmp).error, "not an ICO file");
  EXPECT_EQ(k7x::test::ReadIco(std::span(ico).first(40)).error, "icon directory cut short");
  EXPECT_NE(k7x::test::ReadIco(std::span(ico).first(ico.size() - 1)).error, "");
}

}  // namespace
