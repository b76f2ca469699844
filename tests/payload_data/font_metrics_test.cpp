// ZIKU.UFM: the Unidrv font metrics of the printer's 24-dot Chinese font.
#include <gtest/gtest.h>

#include <cstdint>

#include "payload_files.h"

namespace payload_test {
namespace {

class FontMetrics : public testing::Test {
protected:
    std::string ufm = Authored("ZIKU.UFM");

    std::uint32_t Dword(std::size_t at) const {
        if (at + 4 > ufm.size()) {
            ADD_FAILURE() << "DWORD at " << at << " is past the end";
            return 0;
        }
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(ufm[at + i]);
        return v;
    }
    std::uint16_t Word(std::size_t at) const {
        if (at + 2 > ufm.size()) {
            ADD_FAILURE() << "WORD at " << at << " is past the end";
            return 0;
        }
        return static_cast<std::uint16_t>(static_cast<unsigned char>(ufm[at]) |
                                          static_cast<unsigned char>(ufm[at + 1]) << 8);
    }
    std::uint8_t Byte(std::size_t at) const { return static_cast<std::uint8_t>(ufm.at(at)); }
    // A NUL-terminated UTF-16LE string of ASCII characters, inside [at, end).
    std::string WideAscii(std::size_t at, std::size_t end) const {
        std::string s;
        for (; at + 2 <= end; at += 2) {
            std::uint16_t c = Word(at);
            if (c == 0) return s;
            s += c < 0x80 ? static_cast<char>(c) : '?';
        }
        ADD_FAILURE() << "string runs past its block";
        return s;
    }
};

// UNIFM_HDR fields.
constexpr std::size_t kSize = 0, kVersion = 4, kCodePage = 8, kUnidrvInfo = 16, kIfiMetrics = 20,
                      kExtTextMetric = 24, kWidthTable = 28, kKernPair = 32;
constexpr std::size_t kHeaderSize = 44, kUnidrvInfoSize = 48, kIfiMetricsSize = 184, kExtTextMetricSize = 52;

TEST_F(FontMetrics, HeaderDescribesA496ByteFileForCodePage936) {
    ASSERT_EQ(ufm.size(), 496u);
    EXPECT_EQ(Dword(kSize), 496u);
    EXPECT_EQ(Dword(kVersion), 0x00010000u);
    EXPECT_EQ(Dword(kCodePage), 936u);
    EXPECT_EQ(Dword(kWidthTable), 0u) << "fixed pitch: no width table";
    EXPECT_EQ(Dword(kKernPair), 0u);
}

TEST_F(FontMetrics, BlocksFollowTheHeaderInOrderInsideTheFile) {
    std::uint32_t drv = Dword(kUnidrvInfo), ifi = Dword(kIfiMetrics), etm = Dword(kExtTextMetric);
    EXPECT_EQ(drv, kHeaderSize);
    std::uint32_t drvSize = Dword(drv);
    EXPECT_GE(drvSize, kUnidrvInfoSize);
    EXPECT_LE(drv + drvSize, ifi);
    std::uint32_t ifiSize = Dword(ifi);
    EXPECT_GE(ifiSize, kIfiMetricsSize);
    EXPECT_LE(ifi + ifiSize, etm);
    EXPECT_EQ(Word(etm), kExtTextMetricSize);
    EXPECT_EQ(etm + kExtTextMetricSize, ufm.size());
}

TEST_F(FontMetrics, UnidrvInfoSelectsThe203DpiFontWithCommandsInside) {
    std::uint32_t drv = Dword(kUnidrvInfo);
    std::uint32_t drvSize = Dword(drv);
    EXPECT_EQ(Word(drv + 12), 203u);  // wXRes
    EXPECT_EQ(Word(drv + 14), 203u);  // wYRes
    for (std::size_t invoc : {24u, 32u}) {  // SelectFont, UnSelectFont
        std::uint32_t count = Dword(drv + invoc), offset = Dword(drv + invoc + 4);
        EXPECT_GT(count, 0u);
        EXPECT_GE(offset, kUnidrvInfoSize);
        EXPECT_LE(offset + count, drvSize);
    }
    std::uint32_t selectAt = drv + Dword(drv + 28);
    EXPECT_EQ(ufm.substr(selectAt, Dword(drv + 24)), std::string("\x1b\x21\x00\x1c\x26", 5));
}

TEST_F(FontMetrics, IfiMetricsNameAFixedPitchGb2312Font) {
    std::uint32_t ifi = Dword(kIfiMetrics);
    std::uint32_t end = ifi + Dword(ifi);
    for (std::size_t dp : {8u, 12u, 16u, 20u}) {  // family, style, face, unique name
        std::uint32_t at = Dword(ifi + dp);
        EXPECT_GE(at, kIfiMetricsSize);
        EXPECT_LT(ifi + at, end);
    }
    EXPECT_EQ(WideAscii(ifi + Dword(ifi + 8), end), "ZIKU24");
    EXPECT_EQ(WideAscii(ifi + Dword(ifi + 12), end), "Regular");
    EXPECT_EQ(Byte(ifi + 44), 134u);             // jWinCharSet: GB2312_CHARSET
    EXPECT_EQ(Byte(ifi + 45) & 0x03, 0x01u);     // fixed pitch
    EXPECT_EQ(Word(ifi + 56), 24u);              // fwdUnitsPerEm: 24 dots
    EXPECT_EQ(Word(ifi + 76), 12u);              // fwdAveCharWidth: half width
    EXPECT_EQ(Word(ifi + 78), 24u);              // fwdMaxCharInc: full width
    std::uint32_t charSets = Dword(ifi + 40);
    EXPECT_LT(ifi + charSets, end);
    EXPECT_EQ(Byte(ifi + charSets), 134u);
}

}  // namespace
}  // namespace payload_test
