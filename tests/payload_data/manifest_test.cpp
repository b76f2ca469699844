// The manifest against the payload catalog, and the files the build puts
// into the payload directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "payload_files.h"

namespace payload_test {
namespace {

struct CatalogEntry {
    unsigned id;
    std::uint64_t size;
    const char* writtenAs;  // the file's name on disk, for N = K7X
};

// Every id the program carries, with its size and the name it is written as.
const CatalogEntry kCatalog[] = {
    {146, 9304, "Multi_ch.dll"},      {147, 9326, "Multi_eng.dll"},   {248, 9305, "Multi_ch_BIG5.dll"},
    {148, 44, "setting.dll"},         {255, 225280, "uninstallK7X.exe"}, {256, 1568, "K7X.INF"},
    {154, 496, "ZIKU.UFM"},
    // XP set
    {153, 14362, "STDNAMES.GPD"},     {155, 16605, "K7X.GPD"},        {159, 64, "K7X.INI"},
    {156, 23040, "K7XD.DLL"},         {149, 264704, "UNIDRV.DLL"},    {152, 12164, "UNIDRV.HLP"},
    {150, 193024, "UNIDRVUI.DLL"},    {151, 618496, "UNIRES.DLL"},    {163, 251904, "UNIDRV.DLL"},
    {164, 21225, "UNIDRV.HLP"},       {165, 196096, "UNIDRVUI.DLL"},  {166, 619520, "UNIRES.DLL"},
    {157, 13312, "K7XF.DLL"},         {158, 5120, "K7XRES.DLL"},      {249, 13312, "K7XF.DLL"},
    {254, 5120, "K7XRES.DLL"},        {161, 13312, "K7XF.DLL"},       {162, 5120, "K7XRES.DLL"},
    // 2000 set
    {168, 14362, "STDNAMES.GPD"},     {169, 16605, "K7X.GPD"},        {170, 64, "K7X.INI"},
    {171, 23040, "K7XD.DLL"},         {172, 264704, "UNIDRV.DLL"},    {173, 12164, "UNIDRV.HLP"},
    {174, 193024, "UNIDRVUI.DLL"},    {175, 618496, "UNIRES.DLL"},    {176, 251904, "UNIDRV.DLL"},
    {177, 21225, "UNIDRV.HLP"},       {178, 196096, "UNIDRVUI.DLL"},  {179, 619520, "UNIRES.DLL"},
    {184, 13312, "K7XF.DLL"},         {185, 5120, "K7XRES.DLL"},      {250, 13312, "K7XF.DLL"},
    {252, 5120, "K7XRES.DLL"},        {182, 13312, "K7XF.DLL"},       {183, 5120, "K7XRES.DLL"},
    // general set
    {186, 14362, "STDNAMES.GPD"},     {187, 16605, "K7X.GPD"},        {188, 64, "K7X.INI"},
    {189, 23040, "K7XD.DLL"},         {190, 263680, "UNIDRV.DLL"},    {191, 12164, "UNIDRV.HLP"},
    {192, 198144, "UNIDRVUI.DLL"},    {193, 618496, "UNIRES.DLL"},    {196, 251904, "UNIDRV.DLL"},
    {197, 21225, "UNIDRV.HLP"},       {198, 196096, "UNIDRVUI.DLL"},  {199, 619520, "UNIRES.DLL"},
    {194, 13312, "K7XF.DLL"},         {195, 5120, "K7XRES.DLL"},      {251, 13312, "K7XF.DLL"},
    {253, 5120, "K7XRES.DLL"},        {200, 15872, "K7XF.DLL"},       {201, 5120, "K7XRES.DLL"},
};

// Ids of equal content; every id outside these groups has content of its own.
const std::vector<std::set<unsigned>> kEqualContent = {
    {149, 172}, {150, 174}, {151, 175}, {152, 173, 191}, {163, 176, 196}, {164, 177, 197},
    {165, 178, 198}, {166, 179, 199}, {153, 168, 186}, {155, 169, 187}, {159, 170, 188},
    {156, 171, 189}, {157, 184, 194}, {249, 250, 251}, {161, 182}, {158, 185, 195, 252, 253, 254},
    {162, 183, 201},
};

std::map<unsigned, ManifestEntry> ById(const std::vector<ManifestEntry>& entries) {
    std::map<unsigned, ManifestEntry> byId;
    for (const auto& e : entries) byId[e.id] = e;
    return byId;
}

std::set<unsigned> GroupOf(unsigned id) {
    for (const auto& group : kEqualContent)
        if (group.count(id)) return group;
    return {id};
}

TEST(PayloadManifest, ListsEveryCatalogIdOnceWithItsSize) {
    auto entries = ReadManifest();
    ASSERT_EQ(entries.size(), std::size(kCatalog));
    auto byId = ById(entries);
    EXPECT_EQ(byId.size(), entries.size()) << "an id appears twice";
    for (const auto& c : kCatalog) {
        ASSERT_TRUE(byId.count(c.id)) << "id " << c.id << " missing";
        EXPECT_EQ(byId[c.id].size, c.size) << "id " << c.id;
    }
    for (unsigned unused : {160u, 167u, 180u, 181u, 202u, 225u, 247u}) EXPECT_FALSE(byId.count(unused)) << unused;
}

TEST(PayloadManifest, DescriptionsNameTheFileWritten) {
    auto byId = ById(ReadManifest());
    for (const auto& c : kCatalog) {
        const std::string& d = byId.at(c.id).description;
        EXPECT_EQ(d.rfind(std::string(c.writtenAs) + ",", 0), 0u) << c.id << ": " << d;
    }
}

TEST(PayloadManifest, EqualContentSharesOneFileAndNothingElseDoes) {
    auto byId = ById(ReadManifest());
    for (const auto& a : kCatalog) {
        for (const auto& b : kCatalog) {
            if (a.id >= b.id) continue;
            bool equal = GroupOf(a.id).count(b.id) > 0;
            EXPECT_EQ(byId.at(a.id).file == byId.at(b.id).file, equal)
                << a.id << " and " << b.id << ": " << byId.at(a.id).file << ", " << byId.at(b.id).file;
        }
    }
}

TEST(PayloadManifest, AuthoredFilesExistWithTheManifestSize) {
    std::set<std::string> authored;
    for (const auto& e : ReadManifest()) {
        if (e.kind != "authored") continue;
        authored.insert(e.file);
        EXPECT_EQ(std::filesystem::file_size(AuthoredPath(e.file)), e.size) << e.file;
    }
    // The start-up files, the model GPD, INI, INF and font metrics are ours.
    EXPECT_EQ(authored, (std::set<std::string>{"Multi_ch.dll.txt", "Multi_eng.dll.txt", "Multi_ch_BIG5.dll.txt",
                                               "setting.dll.txt", "ZIKU.UFM", "K7X.INF", "K7X.GPD", "K7X.INI"}));
}

TEST(PayloadBuild, EveryFileHasTheManifestSize) {
    for (const auto& e : ReadManifest())
        EXPECT_EQ(std::filesystem::file_size(GeneratedPath(e.file)), e.size) << e.file;
}

TEST(PayloadBuild, AuthoredFilesAreEmbeddedUnchanged) {
    if (VendorPayload()) GTEST_SKIP() << "payload taken from K7X_PAYLOAD_DIR";
    for (const auto& e : ReadManifest()) {
        if (e.kind == "authored") {
            EXPECT_EQ(ReadBytes(GeneratedPath(e.file)), Authored(e.file)) << e.file;
        }
    }
}

TEST(PayloadBuild, PlaceholdersNameFileVariantAndIds) {
    if (VendorPayload()) GTEST_SKIP() << "payload taken from K7X_PAYLOAD_DIR";
    std::map<std::string, std::vector<unsigned>> idsOf;
    std::map<std::string, std::string> descOf;
    for (const auto& e : ReadManifest()) {
        if (e.kind == "authored") continue;  // a program is a placeholder where it is not built
        idsOf[e.file].push_back(e.id);
        descOf[e.file] = e.description;
    }
    ASSERT_FALSE(idsOf.empty());
    for (const auto& [file, ids] : idsOf) {
        auto lines = SplitCrlf(ReadBytes(GeneratedPath(file)));
        ASSERT_GE(lines.size(), 3u) << file;
        EXPECT_EQ(lines[0], "K7X PLACEHOLDER: " + descOf[file]) << file;
        std::ostringstream idText;
        for (std::size_t i = 0; i < ids.size(); ++i) idText << (i ? " " : "") << ids[i];
        EXPECT_EQ(lines[1], "Payload ids: " + idText.str()) << file;
    }
}

TEST(PayloadBuild, ResourceScriptHasOneChineseOwnerDataLinePerId) {
    std::string text = ReadBytes(GeneratedPath("payload.rc"));
    std::vector<std::string> rc;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line.rfind("//", 0) != 0) rc.push_back(line);
    auto entries = ReadManifest();
    ASSERT_EQ(rc.size(), entries.size() + 1);
    EXPECT_EQ(rc[0], "LANGUAGE 4, 2");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(rc[i + 1], std::to_string(entries[i].id) + " OWNER_DATA \"" + GeneratedPath(entries[i].file) + "\"");
    }
}

}  // namespace
}  // namespace payload_test
