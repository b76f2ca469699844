// The .res reader accepts what windres writes and rejects anything cut short.
#include <gtest/gtest.h>

#include "support/byte_builders.h"
#include "winemu/kernel32/res_file.h"

namespace {

// One entry with a string type and an integer name, as windres writes OWNER_DATA payloads.
std::vector<std::uint8_t> Entry(const std::u16string& type, std::uint16_t id, std::uint16_t lang, const std::string& data) {
  std::vector<std::uint8_t> out;
  k7x::test::AppendResEntry(out, winemu::ResId{true, 0, type}, winemu::ResId{false, id, {}}, lang,
                            reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
  return out;
}

std::vector<std::uint8_t> TwoEntries() {
  // The empty entry that opens a .res file: 32 bytes, sizes 0 and 0x20, type and name 0.
  std::vector<std::uint8_t> empty(32, 0);
  for (size_t i : {4, 8, 9, 12, 13}) empty[i] = i == 4 ? 0x20 : 0xFF;
  std::vector<std::uint8_t> a = Entry(u"OWNER_DATA", 148, 0x0804, "[Setting]");
  std::vector<std::uint8_t> b = Entry(u"OWNER_DATA", 159, 0x0804, "12345678");
  empty.insert(empty.end(), a.begin(), a.end());
  empty.insert(empty.end(), b.begin(), b.end());
  return empty;
}

TEST(ResFile, ReadsEveryEntryWithTypeNameLanguageAndData) {
  std::vector<std::uint8_t> bytes = TwoEntries();
  winemu::ResParseResult r = winemu::ParseResFile(bytes);
  ASSERT_EQ(r.error, "");
  ASSERT_EQ(r.entries.size(), 2u);
  EXPECT_TRUE(r.entries[0].type.isString);
  EXPECT_EQ(r.entries[0].type.name, u"OWNER_DATA");
  EXPECT_EQ(r.entries[0].name.id, 148);
  EXPECT_EQ(r.entries[0].language, 0x0804);
  EXPECT_EQ(std::string(r.entries[0].data.begin(), r.entries[0].data.end()), "[Setting]");
  EXPECT_EQ(std::string(r.entries[1].data.begin(), r.entries[1].data.end()), "12345678");
}

TEST(ResFile, RejectsEveryTruncationWithoutReadingPastTheInput) {
  std::vector<std::uint8_t> bytes = TwoEntries();
  size_t full = bytes.size();
  for (size_t cut = 1; cut < full; ++cut) {
    std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + static_cast<long>(cut));
    winemu::ResParseResult r = winemu::ParseResFile(part);
    // Any cut inside a header or inside data is an error.
    if (r.error.empty()) {
      size_t first = 32 + Entry(u"OWNER_DATA", 148, 0x0804, "[Setting]").size();
      // Entry boundaries, or an entry whose data is whole and only the final padding is missing.
      EXPECT_TRUE(cut == 32 || (cut >= first - 3 && cut <= first)) << cut;
    }
  }
}

TEST(ResFile, RejectsAHeaderSizeThatCannotHoldItsFields) {
  std::vector<std::uint8_t> bytes = {0, 0, 0, 0, 8, 0, 0, 0};
  EXPECT_NE(winemu::ParseResFile(bytes).error, "");
  std::vector<std::uint8_t> unterminated = {0, 0, 0, 0, 32, 0, 0, 0};
  for (int i = 0; i < 24; ++i) unterminated.push_back('A');  // a type name without its terminator
  EXPECT_NE(winemu::ParseResFile(unterminated).error, "");
}

}  // namespace
