#include <gtest/gtest.h>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/SavedGameArchive.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;

struct LookUp {
    const char* story;
    ArchiveBuilder archive;
    std::uint32_t count;
    std::string_view sought;
    std::optional<std::size_t> found;
};

TEST(SavedGameArchive, FindEntryTakesTheFirstRecordThatContainsTheName) {
    const test::TemporaryDirectory dir;
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
        const auto file = SystemFiles().openExclusive(archive.writeTo(dir / "archive.dkv"));
        ASSERT_TRUE(file);
        EXPECT_EQ(FindEntry(*ReadDirectory(**file, count), sought), found) << story;
    }
}

}  // namespace
}  // namespace velmor
