#include <gtest/gtest.h>
#include <unistd.h>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/GameCommands.h"
#include "savegame/GameFile.h"
#include "savegame/Messages.h"
#include "support/ScriptedUserInterface.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;
using test::Bytes;
using test::Error;
using test::Noise;
using test::PartyBuilder;
using test::ShownMessage;

class LoadGameTest : public ::testing::Test {
protected:
    LoadGameTest() { session.imagePath = dir / "image.pcx"; }

    std::filesystem::path write(const ArchiveBuilder& archive, std::string_view name = "game.dkv") {
        return archive.writeTo(dir / name);
    }
    bool load(const std::filesystem::path& path) {
        ui.files.push_back(path);
        return LoadGame(ui, session);
    }
    Bytes image() const { return test::ReadWholeFile(*session.imagePath); }

    test::TemporaryDirectory dir;
    test::ScriptedUserInterface ui;
    GameSession session;
};

TEST_F(LoadGameTest, LoadsThePartyTheHeaderTextAndThePicture) {
    const PartyBuilder party =
        PartyBuilder().value(PartySlot::food, 123).value(PartySlot::slot1, 0xDEADBEEF);
    const ArchiveBuilder archive = ArchiveBuilder::Standard(party, "Into the Deep");
    const auto path = write(archive);

    ASSERT_TRUE(load(path));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(session.party.working, party.party());
    EXPECT_EQ(session.party.staging, party.party());
    EXPECT_EQ(session.party.working.values.value(PartySlot::food), 123u);
    EXPECT_EQ(session.party.working.characters[35].name(), "Hero 35");
    EXPECT_EQ(session.headerText, "Into the Deep");
    EXPECT_EQ(session.gameLoaded, 1u);
    EXPECT_EQ(session.g_currentPath, path);
    EXPECT_EQ(session.g_currentFileName, "game.dkv");
    EXPECT_EQ(image(), Noise(5000, 11));
    EXPECT_EQ(ui.progressRanges.back(), std::make_pair(0, 35));
}

TEST_F(LoadGameTest, HeaderTextIsAtMostTwentyBytesUpToAZero) {
    const std::pair<Bytes, std::string> cases[] = {
        {Bytes{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K',
               'L', 'M', 'N', 'O', 'P', 'Q', 'R', 'S', 'T', 'U', 'V'},
         "ABCDEFGHIJKLMNOPQRST"},
        {Bytes{'S', 't', 'o', 'r', 'm', 0, 'x', 'y'}, "Storm"},
        {Bytes{0xC9, 'l', 'a', 'n'}, "\xC9lan"},  // kept as the saved game's own bytes
        {Bytes{}, ""},
    };
    for (const auto& [data, text] : cases) {
        // The header entry is last, so that a short one ends where the file ends.
        write(ArchiveBuilder()
                  .entry("party.bin", PartyBuilder().build())
                  .entry("header.bin", data)
                  .entry("image.pcx", {}));
        ASSERT_TRUE(load(dir / "game.dkv"));
        EXPECT_EQ(session.headerText, text);
    }
}

// The picture file ends holding exactly the bytes the archive holds for the entry, whatever it
// held before: all of them when there are more than the copy buffer takes, those up to the end of
// a file that is cut short, and none when there is no picture or the load stops first.
TEST_F(LoadGameTest, PictureFileGetsExactlyTheEntrysBytes) {
    const Bytes big = Noise(1'234'567, 5);
    const auto withPicture = [&](const Bytes& picture) {
        return std::move(ArchiveBuilder()
                             .entry("party.bin", PartyBuilder().build())
                             .entry("image.pcx", picture));
    };
    const std::ptrdiff_t cutAt = 300'000;
    const auto pictureStart =
        static_cast<std::ptrdiff_t>(288 + 2 * 32 + PartyBuilder().build().size());
    const std::tuple<const char*, std::optional<ArchiveBuilder>, Bytes> cases[] = {
        {"larger than the copy buffer", withPicture(big), big},
        {"cut short", withPicture(big).truncate(cutAt),
         Bytes(big.begin(), big.begin() + (cutAt - pictureStart))},
        {"no picture entry", ArchiveBuilder().entry("party.bin", PartyBuilder().build()), {}},
        {"not an archive", ArchiveBuilder::Standard().signature("XYZ"), {}},
        {"missing file", std::nullopt, {}},
    };
    for (const auto& [story, archive, picture] : cases) {
        test::WriteWholeFile(*session.imagePath, Noise(2'000'000, 6));
        std::filesystem::remove(dir / "game.dkv");
        if (archive) {
            write(*archive);
        }
        load(dir / "game.dkv");
        EXPECT_EQ(image(), picture) << story;
    }
}

TEST_F(LoadGameTest, PictureLandsInTheWorkingDirectoryUnlessThereIsNoPicturePath) {
    const auto path = write(ArchiveBuilder::Standard());
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    GameSession fresh;
    ui.files.push_back(path);
    const bool loaded = LoadGame(ui, fresh);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(test::ReadWholeFile(dir / "image.pcx"), Noise(5000, 11));

    std::filesystem::remove(dir / "image.pcx");
    session.imagePath.reset();
    ASSERT_TRUE(load(path));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "image.pcx"));
}

TEST_F(LoadGameTest, CancelTouchesNothing) {
    test::WriteWholeFile(*session.imagePath, Bytes{1, 2, 3});
    session.gameLoaded = 1;
    EXPECT_FALSE(LoadGame(ui, session));  // no file in the script: the player cancels
    EXPECT_EQ(session.gameLoaded, 0u);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(image(), (Bytes{1, 2, 3}));
}

struct FailedLoad {
    const char* story;
    std::optional<ArchiveBuilder> archive;  // none: the chosen file does not exist
    std::vector<ShownMessage> messages;
    bool loads = false;
    bool pictureUnwritable = false;
};

ArchiveBuilder WithParty(ArchiveBuilder archive, std::size_t partySize = 271'404) {
    return std::move(archive.entry("party.bin", PartyBuilder().size(partySize).build()));
}

std::vector<FailedLoad> FailedLoads() {
    using namespace messages;
    const std::size_t partyEnd = ArchiveBuilder::Standard().build().size();
    return {
        {"missing file", std::nullopt, {Error(kCannotOpenFile)}},
        {"picture cannot be written",
         ArchiveBuilder::Standard(),
         {Error(kCannotReadImage)},
         false,
         true},
        {"neither can be opened",
         std::nullopt,
         {Error(kCannotOpenFile), Error(kCannotReadImage)},
         false,
         true},
        {"empty file", ArchiveBuilder::Standard().truncate(0), {Error(kInvalidFile)}},
        {"two bytes", ArchiveBuilder::Standard().truncate(2), {Error(kInvalidFile)}},
        {"lower-case signature",
         ArchiveBuilder::Standard().signature("lod"),
         {Error(kInvalidFile)}},
        {"file ends inside the header",
         ArchiveBuilder::Standard().truncate(200),
         {Error(kNoInformation)}},
        {"count 0", ArchiveBuilder::Standard().entryCount(0), {Error(kNoInformation)}},
        {"count 5,000", ArchiveBuilder::Standard().entryCount(5000), {Error(kInvalidFile)}},
        {"count 0xFFFFFFFF",
         ArchiveBuilder::Standard().entryCount(0xFFFFFFFF),
         {Error(kInvalidFile)}},
        {"count 4,999 in a short file", ArchiveBuilder::Standard().entryCount(4999), {}, true},
        {"file ends inside the directory",
         ArchiveBuilder::Standard().truncate(288 + 40),
         {Error(kNoImageEntry), Error(kNoPartyEntryOnLoad)}},
        {"no header, no picture",
         WithParty(ArchiveBuilder()),
         {Error(kNoHeaderEntry), Error(kNoImageEntry)},
         true},
        {"no entry the editor knows",
         ArchiveBuilder().entry("other.bin", Bytes(10)),
         {Error(kNoHeaderEntry), Error(kNoImageEntry), Error(kNoPartyEntryOnLoad)}},
        {"entries pointing past the end",
         WithParty(ArchiveBuilder()
                       .rawEntry("header.bin", 0xFFFFFF00, 20)
                       .rawEntry("image.pcx", 0x7FFFFFFF, 0xFFFFFFFF)),
         {},
         true},
        {"16-character names without a zero byte",
         WithParty(ArchiveBuilder()
                       .entry("my.header.bin.v2", Bytes(20, 'h'))
                       .entry("image.pcx.backup", {})),
         {},
         true},
        {"party.bin one byte too small",
         WithParty(ArchiveBuilder().entry("header.bin", Bytes(20)).entry("image.pcx", {}), 271'403),
         {Error(kPartyEntryTooSmall)}},
        {"party.bin cut off by the end of the file",
         ArchiveBuilder::Standard().truncate(partyEnd - 1),
         {Error(kPartyEntryPastEnd)}},
        {"party.bin claiming more than the file holds",
         ArchiveBuilder()
             .entry("header.bin", Bytes(20))
             .entry("image.pcx", {})
             .rawEntry("party.bin", 0, 0xFFFFFFFF),
         {Error(kPartyEntryPastEnd)}},
        {"picture larger than the copy buffer",
         WithParty(ArchiveBuilder()
                       .entry("header.bin", Bytes(20))
                       .entry("image.pcx", Noise(1'500'000, 8))),
         {},
         true},
        {"party.bin placed past the end",
         ArchiveBuilder().rawEntry("party.bin", 0xFFFF0000, 271'404),
         {Error(kNoHeaderEntry), Error(kNoImageEntry), Error(kPartyEntryPastEnd)}},
    };
}

// One row per kind of damage. Whatever the file holds, the load shows the row's messages in order,
// writes nothing into the saved game, and when it fails leaves the party that the window shows as
// it was.
TEST_F(LoadGameTest, DamagedArchivesGiveTheirMessagesAndWriteNothing) {
    const PartyCopy earlier = PartyBuilder().value(PartySlot::gold, 4242).party();
    for (const FailedLoad& row : FailedLoads()) {
        SCOPED_TRACE(row.story);
        test::ScriptedUserInterface rowUi;
        GameSession rowSession;
        rowSession.party.working = earlier;
        rowSession.imagePath =
            row.pictureUnwritable ? dir / "no such folder" / "image.pcx" : dir / "image.pcx";
        const auto path = dir / "game.dkv";
        std::filesystem::remove(path);
        if (row.archive) {
            row.archive->writeTo(path);
        }
        const Bytes before = row.archive ? test::ReadWholeFile(path) : Bytes{};

        rowUi.files.push_back(path);
        EXPECT_EQ(LoadGame(rowUi, rowSession), row.loads);
        EXPECT_EQ(rowUi.shown, row.messages);
        EXPECT_EQ(rowSession.gameLoaded, 1u);
        if (!row.loads) {
            EXPECT_EQ(rowSession.party.working, earlier);
        }
        if (row.archive) {
            EXPECT_EQ(test::ReadWholeFile(path), before) << "a load never writes the saved game";
        }
    }
}

TEST_F(LoadGameTest, CloseForgetsTheGameButKeepsItsData) {
    ASSERT_TRUE(load(write(ArchiveBuilder::Standard())));
    const PartyCopy loaded = session.party.working;
    CloseGame(session);
    EXPECT_EQ(session.gameLoaded, 0u);
    EXPECT_TRUE(session.g_currentPath.empty());
    EXPECT_TRUE(session.g_currentFileName.empty());
    EXPECT_EQ(session.party.working, loaded);
    EXPECT_TRUE(std::filesystem::exists(*session.imagePath)) << "the picture stays on disk";
}

}  // namespace
}  // namespace velmor
