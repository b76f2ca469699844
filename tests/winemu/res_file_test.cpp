// The .res reader accepts what windres writes and rejects anything cut short.
#include <gtest/gtest.h>

#include "winemu/kernel32/res_file.h"

namespace {

void U16(std::vector<std::uint8_t>& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void U32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  U16(b, static_cast<std::uint16_t>(v));
  U16(b, static_cast<std::uint16_t>(v >> 16));
}

// One entry with a string type and an integer name, as windres writes OWNER_DATA payloads.
std::vector<std::uint8_t> Entry(const std::u16string& type, std::uint16_t id, std::uint16_t lang, const std::string& data) {
  std::vector<std::uint8_t> header;
  for (char16_t c : type) U16(header, c);
  U16(header, 0);
  U16(header, 0xFFFF);
  U16(header, id);
  while (header.size() % 4) header.push_back(0);
  U32(header, 0);       // data version
  U16(header, 0x1030);  // memory flags
  U16(header, lang);
  U32(header, 0);  // version
  U32(header, 0);  // characteristics
  std::vector<std::uint8_t> out;
  U32(out, static_cast<std::uint32_t>(data.size()));
  U32(out, static_cast<std::uint32_t>(header.size() + 8));
  out.insert(out.end(), header.begin(), header.end());
  out.insert(out.end(), data.begin(), data.end());
  while (out.size() % 4) out.push_back(0);
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
