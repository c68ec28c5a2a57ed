#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "party/ByteOrder.h"
#include "savegame/FileFaults.h"
#include "savegame/GameCommands.h"
#include "savegame/GameFile.h"
#include "savegame/Messages.h"
#include "savegame/PartyEntry.h"
#include "support/ScriptedUserInterface.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;
using test::Bytes;
using test::Error;
using test::Noise;
using test::PartyBuilder;
using test::ShownMessage;

const ShownMessage kQuestion{std::string(messages::kSaveQuestion), "Velmor", MessageStyle::yesNo};

class SaveGameTest : public ::testing::Test {
protected:
    SaveGameTest() { session.imagePath = dir / "image.pcx"; }
    ~SaveGameTest() override { FileFaults::Disarm(); }

    // Loads the archive and clears what the load showed.
    void loadFrom(const ArchiveBuilder& archive) {
        path = archive.writeTo(dir / "game.dkv");
        original = test::ReadWholeFile(path);
        ui.files.push_back(path);
        ASSERT_TRUE(LoadGame(ui, session));
        ui.shown.clear();
    }
    bool save(MessageAnswer answer = MessageAnswer::yes) {
        ui.answers.push_back(answer);
        return SaveGame(ui, session);
    }
    bool saveGold(std::uint32_t gold) {
        session.party.working.values.setValue(PartySlot::gold, gold);
        return save();
    }
    Bytes file() const { return test::ReadWholeFile(path); }
    Bytes backup() const { return test::ReadWholeFile(path.string() + ".bak"); }
    bool hasBackup() const { return std::filesystem::exists(path.string() + ".bak"); }
    static std::uint32_t GoldIn(const Bytes& file) {
        return ReadU32(file, ArchiveBuilder::Standard().dataPosition(2) + 1860);
    }

    test::TemporaryDirectory dir;
    test::ScriptedUserInterface ui;
    GameSession session;
    std::filesystem::path path;
    Bytes original;
};

// However the archive is laid out, a load and a save without edits change no byte.
TEST_F(SaveGameTest, SaveWithoutEditsLeavesTheArchiveByteForByte) {
    const std::pair<const char*, ArchiveBuilder> layouts[] = {
        {"standard", ArchiveBuilder::Standard()},
        {"extra entries around the party", ArchiveBuilder()
                                               .entry("maps.bin", Noise(3000, 1))
                                               .entry("header.bin", Bytes(40, 'h'))
                                               .entry("party.bin", PartyBuilder().build())
                                               .entry("image.pcx", Noise(700, 2))
                                               .entry("events.bin", Noise(5000, 3))},
        {"named lead record", ArchiveBuilder::Standard().leadRecord("lead.rec", 1, 2)},
        {"names of exactly 16 characters",
         ArchiveBuilder()
             .entry("header.bin.16chr", Bytes(20, 'x'))
             .entry("image.pcx.16char", Noise(10, 4))
             .entry("party.bin.16char", PartyBuilder().size(400'000).build())},
        {"party.bin first and a gap before the data",
         ArchiveBuilder()
             .gapAfterDirectory(777)
             .entry("party.bin", PartyBuilder().build())
             .entry("header.bin", Bytes(20, 'y'))
             .entry("image.pcx", Noise(10, 5))},
        {"party.bin exactly as large as the party, at the end",
         ArchiveBuilder()
             .entry("header.bin", Bytes(20))
             .entry("image.pcx", {})
             .entry("party.bin", PartyBuilder().size(kPartyEntryMinimumSize).build())},
    };
    for (const auto& [story, archive] : layouts) {
        SCOPED_TRACE(story);
        loadFrom(archive);
        ASSERT_TRUE(save());
        EXPECT_EQ(ui.shown, std::vector{kQuestion});
        EXPECT_EQ(file(), original);
        EXPECT_EQ(ui.progressPositions.back(), 0);
        ui.shown.clear();
    }
}

// No leaves the file as it is. Yes makes the edits reach exactly their bytes: the whole file is
// compared with what the edits should make.
TEST_F(SaveGameTest, EditsWriteExactlyTheirBytes) {
    const ArchiveBuilder archive = ArchiveBuilder::Standard();
    loadFrom(archive);
    const std::uint64_t party = archive.dataPosition(2);
    auto& working = session.party.working;
    working.values.setValue(PartySlot::gold, 0x01020304);
    working.characters[0].setNumber(CharacterNumber::speed, 200);
    working.characters[35].setSkill(38, 316);
    working.characters[7].setSpellLearned(131, true);
    working.characters[3].setClassIndex(5);

    Bytes expected = original;
    const auto record = [&](std::size_t i) {
        return party + kCharacterTableOffset + i * kCharacterRecordSize;
    };
    WriteU32(expected, party + 1860, 0x01020304);
    WriteU32(expected, record(0) + 708, 200);
    WriteU16(expected, record(35) + 804, 316);
    expected[record(7) + 1001] = 1;
    expected[record(3) + 690] = 5;

    EXPECT_FALSE(save(MessageAnswer::no));
    EXPECT_EQ(ui.shown, std::vector{kQuestion}) << "No shows nothing more";
    EXPECT_EQ(file(), original);
    EXPECT_FALSE(hasBackup());
    ASSERT_TRUE(save());
    EXPECT_EQ(file(), expected);
}

// The save looks for party.bin afresh and writes wherever it lies now.
TEST_F(SaveGameTest, WritesWherePartyBinLiesNow) {
    loadFrom(ArchiveBuilder::Standard());
    session.party.working.values.setValue(PartySlot::food, 777);

    const ArchiveBuilder moved = ArchiveBuilder()
                                     .entry("new.bin", Noise(12'345, 9))
                                     .entry("party.bin", PartyBuilder().build())
                                     .entry("header.bin", Bytes(20));
    moved.writeTo(path);
    Bytes expected = moved.build();
    const auto table = TableBytes(session.party.working.characters);
    std::copy(table.begin(), table.end(),
              expected.begin() + static_cast<std::ptrdiff_t>(moved.dataPosition(1) + 2700));
    WriteU32(expected, moved.dataPosition(1) + 1848, 777);

    ASSERT_TRUE(save());
    EXPECT_EQ(file(), expected);
}

// Another editor, in another process, holding the game open until the answer runs.
std::function<void()> HeldByAnotherProcess(const std::filesystem::path& game) {
    int locked[2];
    int release[2];
    if (::pipe(locked) != 0 || ::pipe(release) != 0) {
        ADD_FAILURE() << "no pipe";
        return [] {};
    }
    const pid_t other = ::fork();
    if (other == 0) {
        const auto held = GameFile::OpenExclusive(game);
        const char ready = held ? 'y' : 'n';
        char done;
        (void)!::write(locked[1], &ready, 1);
        (void)!::read(release[0], &done, 1);
        ::_exit(0);
    }
    char ready = 'n';
    EXPECT_EQ(::read(locked[0], &ready, 1), 1);
    EXPECT_EQ(ready, 'y');
    return [=] {
        (void)!::write(release[1], "x", 1);
        ::waitpid(other, nullptr, 0);
        for (const int descriptor : {locked[0], locked[1], release[0], release[1]}) {
            ::close(descriptor);
        }
    };
}

struct RefusedSave {
    const char* story;
    // Damages the game; what it answers takes the cause away again.
    std::function<std::function<void()>(const std::filesystem::path&)> damage;
    ShownMessage message;
};

// Each check refuses the file with its message, makes no backup and writes nothing, and keeps
// the edits, so that the same save succeeds once the cause is gone.
TEST_F(SaveGameTest, RefusedSavesWriteNothingAndKeepTheEdits) {
    using namespace messages;
    const auto rewrite = [](ArchiveBuilder archive) {
        return [archive](const std::filesystem::path& file) {
            archive.writeTo(file);
            return std::function<void()>([] {});
        };
    };
    const RefusedSave cases[] = {
        {"file gone",
         [](const auto& file) {
             std::filesystem::remove(file);
             return std::function<void()>([] {});
         },
         Error(kCannotOpenFile)},
        {"file made read-only",
         [](const auto& file) {
             std::filesystem::permissions(file, std::filesystem::perms::owner_read);
             return std::function<void()>([] {});
         },
         Error(kCannotOpenFile)},
        {"held open by another editor process", HeldByAnotherProcess, Error(kCannotOpenFile)},
        {"signature gone", rewrite(ArchiveBuilder::Standard().signature("XOD")),
         Error(kInvalidFile)},
        {"count too large", rewrite(ArchiveBuilder::Standard().entryCount(5000)),
         Error(kInvalidFile)},
        {"party.bin gone",
         rewrite(
             ArchiveBuilder().entry("header.bin", Bytes(20)).entry("part.bin", Noise(300'000, 1))),
         Error(kNoPartyEntryOnSave)},
        {"count 0 searches the lead record alone",
         rewrite(ArchiveBuilder::Standard().entryCount(0)), Error(kNoPartyEntryOnSave)},
        {"party.bin now too small",
         rewrite(ArchiveBuilder().entry("party.bin", PartyBuilder().size(271'403).build())),
         Error(kPartyEntryTooSmall)},
        {"party.bin now past the end",
         rewrite(ArchiveBuilder().entry("party.bin", PartyBuilder().build()).truncate(200'000)),
         Error(kPartyEntryPastEnd)},
    };
    for (const auto& [story, damage, message] : cases) {
        SCOPED_TRACE(story);
        loadFrom(ArchiveBuilder::Standard());
        const auto undo = damage(path);
        const bool exists = std::filesystem::exists(path);
        const Bytes damaged = exists ? file() : Bytes{};

        EXPECT_FALSE(saveGold(31337));
        EXPECT_EQ(ui.shown, (std::vector{kQuestion, message}));
        EXPECT_EQ(exists ? file() : Bytes{}, damaged);
        EXPECT_FALSE(hasBackup());
        EXPECT_EQ(session.party.working.values.value(PartySlot::gold), 31337u);

        undo();
        std::filesystem::remove(path);
        test::WriteWholeFile(path, original);
        ui.shown.clear();
        ASSERT_TRUE(save());
        EXPECT_EQ(GoldIn(file()), 31337u);
        std::filesystem::remove(path.string() + ".bak");
    }
}

TEST_F(SaveGameTest, FirstSaveAfterALoadKeepsTheGameAsItWasLoaded) {
    test::WriteWholeFile(path = dir / "game.dkv.bak", Bytes{'o', 'l', 'd'});
    loadFrom(ArchiveBuilder::Standard());
    ASSERT_TRUE(saveGold(2));
    EXPECT_EQ(backup(), original) << "an older backup is replaced";
    ASSERT_TRUE(saveGold(3));
    EXPECT_EQ(backup(), original) << "later saves keep the first copy";
    EXPECT_EQ(GoldIn(file()), 3u);
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".bak.new"));

    CloseGame(session);
    loadFrom(ArchiveBuilder::Standard());
    ASSERT_TRUE(saveGold(4));
    EXPECT_EQ(GoldIn(backup()), 2000u) << "a new load makes a new backup";
}

TEST_F(SaveGameTest, ABackupThatCannotBeWrittenStopsTheSave) {
    loadFrom(ArchiveBuilder::Standard());
    std::filesystem::create_directory(path.string() + ".bak.new");  // nothing can be created there
    EXPECT_FALSE(saveGold(2));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].style, MessageStyle::iconError);
    EXPECT_EQ(ui.shown[1].text.rfind("ERROR: ", 0), 0u);
    EXPECT_NE(ui.shown[1].text.find(path.string() + ".bak"), std::string::npos) << ui.shown[1].text;
    EXPECT_EQ(file(), original) << "nothing is written without a backup";
    EXPECT_FALSE(hasBackup());

    std::filesystem::remove(path.string() + ".bak.new");
    EXPECT_TRUE(saveGold(2));
    EXPECT_EQ(backup(), original);
}

// Removing the flush would make the last save here report success.
TEST_F(SaveGameTest, SuccessIsReportedOnlyOnceTheGameIsOnTheDisk) {
    loadFrom(ArchiveBuilder::Standard());
    ASSERT_TRUE(saveGold(2));  // the first save also flushes the backup
    FileFaults::Disarm();
    ASSERT_TRUE(saveGold(3));
    EXPECT_EQ(FileFaults::Count(FileOperation::flush), 1);

    FileFaults::Arm(FileOperation::flush, 1);
    ui.shown.clear();
    EXPECT_FALSE(saveGold(4));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_NE(ui.shown[1].text.find(path.string() + ".bak"), std::string::npos)
        << "the player learns where the game as loaded is kept: " << ui.shown[1].text;
}

}  // namespace
}  // namespace velmor
