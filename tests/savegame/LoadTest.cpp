#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/SavedGame.h"
#include "support/MemoryFiles.h"

namespace velmor {
namespace {

using namespace test;
using Kind = GameErrorKind;

// The last range and position that a command reported.
struct LastProgress final : ProgressSink {
    void setProgressRange(int lower, int upper) override { range = {lower, upper}; }
    void setProgressPosition(int at) override { position = at; }
    std::pair<int, int> range;
    int position = -1;
};

// The game and its picture live in memory; the refusals that only the disk gives are tested on it
// below.
class LoadTest : public ::testing::Test {
protected:
    LoadOutcome load(const ArchiveBuilder& archive) {
        files.write(path, archive.build());
        return SavedGame::Open(path, {.picture = picture, .files = &files}, progress);
    }
    Bytes pictureBytes() const { return files.read(picture).value(); }

    MemoryFiles files;
    const std::filesystem::path path = "/saves/game.dkv";
    const std::filesystem::path picture = "/saves/image.pcx";
    LastProgress progress;
};

TEST_F(LoadTest, ReadsThePartyTheHeaderThePictureAndWhereThingsLie) {
    const PartyBuilder party = PartyBuilder().value(fields::kFood, 123).value(fields::kSlot1, 9);
    const ArchiveBuilder archive = ArchiveBuilder::Standard(party, "Into the Deep");
    const LoadOutcome loaded = load(archive);

    ASSERT_TRUE(loaded.game);
    EXPECT_TRUE(loaded.messages.empty());
    EXPECT_EQ(loaded.game->party(), party.party());
    EXPECT_EQ(loaded.game->headerText(), "Into the Deep");
    const ArchiveFacts& facts = loaded.game->facts();
    EXPECT_EQ(facts.fileSize, archive.build().size());
    EXPECT_EQ(facts.entryCount, 3u);
    EXPECT_EQ(facts.party.record, 3u);
    EXPECT_EQ(facts.party.entryName, "party.bin");
    EXPECT_EQ(facts.party.position, archive.dataPosition(2));
    EXPECT_EQ(pictureBytes(), Noise(5000, 11));
    EXPECT_EQ(progress.range, std::make_pair(0, 35));

    // The header text is at most twenty bytes, up to a zero byte, in the saved game's own bytes.
    const std::pair<Bytes, std::string> headers[] = {
        {Bytes(22, 'A'), std::string(20, 'A')},
        {Bytes{0xC9, 'l', 'a', 'n', 0, 'x', 'y'}, "\xC9lan"},
        {Bytes{}, ""},
    };
    for (const auto& [data, text] : headers) {
        // The header entry is last, so that a short one ends where the file ends.
        const auto withHeader = load(
            ArchiveBuilder().entry("party.bin", PartyBuilder().build()).entry("header.bin", data));
        ASSERT_TRUE(withHeader.game);
        EXPECT_EQ(withHeader.game->headerText(), text);
    }
}

struct DamagedLoad {
    const char* story;
    std::optional<ArchiveBuilder> archive;  // none: the chosen file does not exist
    std::vector<Kind> messages;
    // What the picture file holds after the load; none: it cannot be written.
    std::optional<Bytes> picture = Bytes{};
};

ArchiveBuilder WithParty(ArchiveBuilder archive, std::size_t partySize = 271'404) {
    return std::move(archive.entry("party.bin", PartyBuilder().size(partySize).build()));
}

std::vector<DamagedLoad> DamagedLoads() {
    using enum GameErrorKind;
    const ArchiveBuilder standard = ArchiveBuilder::Standard();
    const std::size_t partyEnd = standard.build().size();
    const Bytes picture = Noise(5000, 11), big = Noise(1'234'567, 5);
    // More than the copy buffer takes, cut short or whole.
    const ArchiveBuilder bigPicture = WithParty(ArchiveBuilder().entry("image.pcx", big));
    const std::size_t cutAt = 300'000, bigAt = bigPicture.dataPosition(0);
    return {
        {"missing file", std::nullopt, {cannotOpen}},
        {"picture cannot be written", standard, {cannotWritePicture}, std::nullopt},
        {"neither can be opened", std::nullopt, {cannotOpen, cannotWritePicture}, std::nullopt},
        {"empty file", ArchiveBuilder(standard).truncate(0), {notAnArchive}},
        {"lower-case signature", ArchiveBuilder(standard).signature("lod"), {notAnArchive}},
        {"signature LOX", ArchiveBuilder(standard).signature("LOX"), {notAnArchive}},
        {"file ends inside the header", ArchiveBuilder(standard).truncate(284), {noEntries}},
        {"file ends inside the count, which reads as 257",
         ArchiveBuilder(standard).entryCount(0x01010101).truncate(286),
         {noHeader, noPicture, noParty}},
        {"count 0", ArchiveBuilder(standard).entryCount(0), {noEntries}},
        {"count 5,000", ArchiveBuilder(standard).entryCount(5000), {notAnArchive}},
        {"count 2^32 - 1", ArchiveBuilder(standard).entryCount(0xFFFFFFFF), {notAnArchive}},
        {"count 4,999 in a short file", ArchiveBuilder(standard).entryCount(4999), {}, picture},
        {"file ends inside the directory",
         ArchiveBuilder(standard).truncate(288 + 40),
         {noPicture, noParty}},
        {"no header, no picture", WithParty(ArchiveBuilder()), {noHeader, noPicture}},
        {"picture larger than the copy buffer", bigPicture, {noHeader}, big},
        {"picture cut short by the end of the file",
         ArchiveBuilder(bigPicture).truncate(cutAt),
         {noHeader, partyPastEnd},
         Bytes(big.begin(), big.begin() + static_cast<std::ptrdiff_t>(cutAt - bigAt))},
        {"no entry the editor knows",
         ArchiveBuilder().entry("other.bin", Bytes(10)),
         {noHeader, noPicture, noParty}},
        {"entries pointing past the end",
         WithParty(ArchiveBuilder()
                       .rawEntry("header.bin", 0xFFFFFF00, 20)
                       .rawEntry("image.pcx", 0x7FFFFFFF, 0xFFFFFFFF)),
         {}},
        {"party.bin one byte too small",
         WithParty(ArchiveBuilder().entry("header.bin", Bytes(20)).entry("image.pcx", {}), 271'403),
         {partyTooSmall}},
        {"party.bin cut off by the end of the file",
         ArchiveBuilder(standard).truncate(partyEnd - 1),
         {partyPastEnd},
         picture},
        {"party.bin claiming more than the file holds",
         ArchiveBuilder()
             .entry("header.bin", Bytes(20))
             .entry("image.pcx", {})
             .rawEntry("party.bin", 0, 0xFFFFFFFF),
         {partyPastEnd}},
        {"party.bin placed past the end",
         ArchiveBuilder().rawEntry("party.bin", 0xFFFF0000, 271'404),
         {noHeader, noPicture, partyPastEnd}},
    };
}

// Each refusal of a load in the game's own words, written out here once. A game that cannot be
// opened is missing, in the table's rows.
std::string Words(Kind kind, const std::filesystem::path& game) {
    using enum GameErrorKind;
    const std::map<Kind, std::string> words = {
        {cannotOpen, "ERROR: cannot open file!\ncannot open \"" + game.string() +
                         "\": No such file or directory"},
        {cannotWritePicture, "ERROR: cannot read image!"},
        {notAnArchive, "ERROR: invalid or corrupt file!"},
        {noEntries, "ERROR: cannot find any information in file!"},
        {noHeader, "ERROR: cannot locate \"header.bin\" resource!\nattempting to continue load..."},
        {noPicture, "ERROR: cannot locate \"image.pcx\" resource!\nattempting to continue load..."},
        {noParty,
         "ERROR: cannot locate \"party.bin\" resource!\ncannot continue without character "
         "information!!!"},
        {partyTooSmall, "ERROR: the \"party.bin\" resource is too small to hold the party!"},
        {partyPastEnd, "ERROR: the \"party.bin\" resource reaches past the end of the file!"},
    };
    return words.at(kind);
}

// One row per kind of damage. Whatever the file holds, the load tells the row's messages in order
// and never writes the saved game; and the picture file ends holding exactly the bytes that the
// archive holds for the picture, whatever it held before.
TEST_F(LoadTest, DamagedArchivesGiveTheirMessagesAndWriteNothing) {
    const Bytes oldPicture = Noise(2'000'000, 6);
    for (const DamagedLoad& row : DamagedLoads()) {
        SCOPED_TRACE(row.story);
        files.remove(path);
        const Bytes before = row.archive ? row.archive->build() : Bytes{};
        if (row.archive) {
            files.write(path, before);
        }
        files.remove(picture);
        files.write(picture, oldPicture);
        if (!row.picture) {
            files.makeReadOnly(picture);
        }
        const LoadOutcome loaded = SavedGame::Open(path, {.picture = picture, .files = &files});
        // Only a missing header or picture lets the load go on.
        EXPECT_EQ(loaded.game != nullptr, std::ranges::all_of(row.messages, [](Kind kind) {
                      return kind == Kind::noHeader || kind == Kind::noPicture;
                  }));
        std::vector<std::string> told, expected;
        for (const GameError& message : loaded.messages) {
            told.push_back(message.message);
        }
        std::ranges::transform(row.messages, std::back_inserter(expected),
                               [&](Kind kind) { return Words(kind, path); });
        EXPECT_EQ(told, expected);
        if (row.archive) {
            EXPECT_TRUE(files.holds(path, before));
        }
        EXPECT_EQ(pictureBytes(), row.picture.value_or(oldPicture));
    }
}

// A game that cannot be opened says why, below the game's own words, as the system on the disk
// tells it.
TEST(LoadFromDiskTest, AGameThatCannotBeOpenedSaysWhy) {
    TemporaryDirectory dir;
    const std::filesystem::path path = dir / "game.dkv";
    FileHandle held;
    const std::pair<std::function<void()>, std::string> causes[] = {
        {[&] { held = std::move(*SystemFiles().openExclusive(path)); },
         "another program is using it"},
        {[&] { std::filesystem::permissions(path, std::filesystem::perms::owner_read); },
         "it is read-only"},
        {[&] {
             std::filesystem::remove(path);
             std::filesystem::create_directory(path);
         },
         "Is a directory"},
    };
    for (const auto& [cause, why] : causes) {
        SCOPED_TRACE(why);
        std::error_code none;  // Windows removes no read-only file
        std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, none);
        std::filesystem::remove_all(path);
        ArchiveBuilder::Standard().writeTo(path);
        cause();
        const LoadOutcome loaded = SavedGame::Open(path);
        held.reset();
        ASSERT_EQ(loaded.messages.size(), 1u);
        EXPECT_EQ(loaded.messages[0].message,
                  "ERROR: cannot open file!\ncannot open \"" + path.string() + "\": " + why);
    }
}

}  // namespace
}  // namespace velmor
