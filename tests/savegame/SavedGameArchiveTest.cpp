#include <gtest/gtest.h>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/SavedGameArchive.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;
using test::Bytes;

class SavedGameArchiveTest : public ::testing::Test {
protected:
    FileHandle open(const ArchiveBuilder& archive) { return open(archive.build()); }
    FileHandle open(const Bytes& bytes) {
        const auto path = dir / ("archive" + std::to_string(files++) + ".dkv");
        test::WriteWholeFile(path, bytes);
        auto file = SystemFiles().openExclusive(path);
        EXPECT_TRUE(file) << file.error().message;
        return std::move(*file);
    }

    test::TemporaryDirectory dir;
    int files = 0;
};

TEST_F(SavedGameArchiveTest, SignatureIsTheFirstThreeBytesExactly) {
    const std::pair<std::string, bool> cases[] = {
        {"LODX", true}, {"LOD", true}, {"lod", false},  {"LOX", false},
        {"LO", false},  {"", false},   {"XLOD", false},
    };
    for (const auto& [start, passes] : cases) {
        FileHandle file = open(Bytes(start.begin(), start.end()));
        EXPECT_EQ(*HasArchiveSignature(*file), passes) << start;
    }
}

TEST_F(SavedGameArchiveTest, EntryCountIsZeroWhenTheFileEndsBeforeIt) {
    FileHandle three = open(ArchiveBuilder().entry("a", {}).entry("b", {}).entry("c", {}));
    EXPECT_EQ(*ReadEntryCount(*three), 3u);
    FileHandle huge = open(ArchiveBuilder().entryCount(0xFFFFFFFF));
    EXPECT_EQ(*ReadEntryCount(*huge), 0xFFFFFFFFu);
    for (const std::size_t size : {0u, 100u, 284u, 286u}) {
        FileHandle cut = open(ArchiveBuilder().entryCount(0x01010101).truncate(size));
        EXPECT_EQ(*ReadEntryCount(*cut), size < 286 ? 0u : 0x0101u) << size;
    }
}

struct LookUp {
    const char* story;
    ArchiveBuilder archive;
    std::uint32_t count;
    std::string_view sought;
    std::optional<std::size_t> found;
};

TEST_F(SavedGameArchiveTest, FindEntryTakesTheFirstRecordThatContainsTheName) {
    const LookUp cases[] = {
        {"exact name", ArchiveBuilder().entry("a", {}).entry("party.bin", {}), 2, "party.bin", 2},
        {"containment wins over a later exact name",
         ArchiveBuilder().entry("oldparty.bin", {}).entry("party.bin", {}), 2, "party.bin", 1},
        {"a suffix does not stop the match",
         ArchiveBuilder().entry("image.pcx.old", {}).entry("image.pcx", {}), 2, "image.pcx", 1},
        {"the lead record is searched first",
         ArchiveBuilder().leadRecord("party.bin").entry("party.bin", {}), 1, "party.bin", 0},
        {"case matters", ArchiveBuilder().entry("PARTY.BIN", {}), 1, "party.bin", std::nullopt},
        {"nothing beyond the count is examined",
         ArchiveBuilder().entry("a", {}).entry("b", {}).entry("party.bin", {}), 2, "party.bin",
         std::nullopt},
        {"a 16-character name without a zero byte is read whole",
         ArchiveBuilder().entry("abcdefparty.binX", {}), 1, "party.binX", 1},
        {"a name does not run on into the data offset",
         ArchiveBuilder().entry("0123456789abcdef", {}), 1, "0123456789abcdef\x20", std::nullopt},
        {"a name ends at its zero byte", ArchiveBuilder().entry({"a\0party.bin", 11}, {}), 1,
         "party.bin", std::nullopt},
    };
    for (const auto& [story, archive, count, sought, found] : cases) {
        FileHandle file = open(archive);
        EXPECT_EQ(FindEntry(*ReadDirectory(*file, count), sought), found) << story;
    }
}

}  // namespace
}  // namespace velmor
