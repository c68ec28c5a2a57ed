#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <atomic>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <thread>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "party/ByteFields.h"
#include "savegame/Backup.h"
#include "savegame/PartyEntry.h"
#include "savegame/SavedGame.h"
#include "support/FaultyFiles.h"

namespace velmor {
namespace {

using namespace test;
using Kind = GameErrorKind;

constexpr bool kWindows = std::filesystem::path::preferred_separator == '\\';

class SaveTest : public ::testing::Test {
protected:
    void loadFrom(const ArchiveBuilder& archive, const OpenOptions& options = {}) {
        archive.writeTo(path);
        original = file();
        LoadOutcome loaded = SavedGame::Open(path, options);
        if (!loaded.game) {
            throw std::runtime_error("the game does not load");  // ends the test, told
        }
        game = std::move(loaded.game);
    }
    GameResult<SaveReport> saveGold(std::uint32_t gold) {
        game->party().values.setNumber(fields::kGold, gold);
        return game->save();
    }
    Bytes file() const { return ReadWholeFile(path); }
    Bytes backup() const { return ReadWholeFile(backupPath); }
    static std::uint32_t GoldIn(const Bytes& file) {
        return ReadU32(file, ArchiveBuilder::Standard().dataPosition(2) + kPartyValuesOffset +
                                 fields::kGold.offset);
    }

    TemporaryDirectory dir;
    std::filesystem::path path = dir / "game.dkv";
    std::filesystem::path backupPath = dir / "game.dkv.bak";
    std::unique_ptr<SavedGame> game;
    Bytes original;
};

// Whatever the archive's layout, and wherever party.bin lies when the save comes, a save writes
// exactly the party's bytes there and leaves every other byte as it was.
TEST_F(SaveTest, RandomEditsReachExactlyThePartysBytesWhereverItLies) {
    const std::pair<ArchiveBuilder, std::size_t> layouts[] = {
        // Each layout, with the index of its party.bin entry.
        {ArchiveBuilder::Standard(), 2},
        // More than a piece of the copy lies before the party.
        {ArchiveBuilder()
             .entry("maps.bin", Noise(1'500'000, 1))
             .entry("header.bin", Bytes(40, 'h'))
             .entry("party.bin", PartyBuilder().build())
             .entry("events.bin", Noise(5000, 3)),
         2},
        // The party's records straddle the end of the copy's first piece.
        {ArchiveBuilder()
             .gapAfterDirectory(1'000'000)
             .entry("party.bin", PartyBuilder().build())
             .entry("header.bin", Bytes(20, 'y')),
         0},
        {ArchiveBuilder().entry("party.bin", PartyBuilder().size(kPartyEntryMinimumSize).build()),
         0},
    };
    loadFrom(layouts[0].first);
    std::mt19937 random(20261205);
    const auto pick = [&random](std::uint32_t below) {
        return std::uniform_int_distribution<std::uint32_t>(0, below - 1)(random);
    };
    // Any byte of the party, not only those that the editor writes; often the first or the last
    // of the party values or of a record.
    const auto changeAnyByte = [&](Party& party) {
        const std::uint32_t block = pick(kCharacterCount + 1);  // 0: the party values
        const auto size =
            static_cast<std::uint32_t>(block == 0 ? kPartyValuesSize : kCharacterRecordSize);
        const std::size_t at = pick(2) ? pick(2) * (size - 1) : pick(size);
        const auto value = static_cast<std::uint8_t>(pick(256));
        if (block == 0) {
            party.values.bytes()[at] = value;
            return;
        }
        CharacterRecord::Bytes bytes = party.characters[block - 1].bytes();
        bytes[at] = value;
        party.characters[block - 1] = CharacterRecord(bytes);
    };
    for (std::size_t round = 0; round < 20; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // The game as another program rewrote it, with the party unchanged.
        const auto& [archive, entry] = layouts[round % std::size(layouts)];
        Bytes expected = archive.build();
        PutParty(expected, archive.dataPosition(entry), game->party());
        WriteWholeFile(path, expected);
        // The first round saves without edits, so the file must come back byte for byte.
        for (int edit = 0; round > 0 && edit < 50; ++edit) {
            changeAnyByte(game->party());
        }
        ASSERT_TRUE(game->save());
        PutParty(expected, archive.dataPosition(entry), game->party());
        ASSERT_EQ(file(), expected);
        EXPECT_EQ(game->facts().party.position, archive.dataPosition(entry));
    }
}

// Each check refuses the file, makes no backup, writes nothing and keeps the edits, so that the
// same save succeeds once the cause is gone. A game held from its load to its save (a script's)
// goes through the same checks as one opened again to save (the window's).
TEST_F(SaveTest, RefusedSavesWriteNothingAndKeepTheEdits) {
    FileHandle held;  // another editor's hold on the game
    const std::string_view cannotOpen = "ERROR: cannot open file!";
    const std::string_view noParty = "ERROR: cannot locate \"party.bin\" resource!";
    const std::tuple<const char*, std::function<void()>, std::string_view> cases[] = {
        {"file gone", [&] { std::filesystem::remove(path); }, cannotOpen},
        {"file made read-only",
         [&] { std::filesystem::permissions(path, std::filesystem::perms::owner_read); },
         cannotOpen},
        {"held by another editor", [&] { held = std::move(*SystemFiles().openExclusive(path)); },
         cannotOpen},
#ifndef _WIN32  // where named pipes live outside the folders
        {"file made a named pipe",
         [&] {
             std::filesystem::remove(path);
             ::mkfifo(path.c_str(), 0666);
         },
         cannotOpen},
#endif
        {"count too large", [&] { ArchiveBuilder::Standard().entryCount(5000).writeTo(path); },
         "ERROR: invalid or corrupt file!"},
        {"party.bin gone",
         [&] { ArchiveBuilder().entry("part.bin", Noise(300'000, 1)).writeTo(path); }, noParty},
        {"count 0 searches the lead record alone",
         [&] { ArchiveBuilder::Standard().entryCount(0).writeTo(path); }, noParty},
    };
    for (const bool keepOpen : {false, true}) {
        for (const auto& [story, damage, refusal] : cases) {
            if (keepOpen && std::string_view(story) == "held by another editor") {
                continue;  // nobody else can hold a held game
            }
            if (kWindows && keepOpen && std::string_view(story) != "file made read-only") {
                continue;  // nor, on Windows, read or change it but for making it read-only
            }
            SCOPED_TRACE(std::string(story) + (keepOpen ? ", held" : ""));
            loadFrom(ArchiveBuilder::Standard(), {.keepOpen = keepOpen});
            damage();
            const auto type = std::filesystem::symlink_status(path).type();
            // A held game is as it was loaded, and on Windows nobody else can read it meanwhile.
            const Bytes damaged = held || (kWindows && keepOpen)           ? original
                                  : std::filesystem::is_regular_file(path) ? file()
                                                                           : Bytes{};

            const auto saved = saveGold(31337);
            ASSERT_FALSE(saved);
            const std::string& told = saved.error().message;
            EXPECT_EQ(told.substr(0, told.find('\n')), refusal);
            held.reset();
            EXPECT_EQ(std::filesystem::symlink_status(path).type(), type)
                << "nothing made or replaced";
            EXPECT_TRUE((std::filesystem::is_regular_file(path) ? file() : Bytes{}) == damaged);
            EXPECT_FALSE(std::filesystem::exists(backupPath));

            std::error_code none;  // Windows removes no read-only file
            std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, none);
            std::filesystem::remove(path);
            WriteWholeFile(path, original);
            ASSERT_TRUE(game->save()) << "the edits were kept for the next try";
            EXPECT_EQ(GoldIn(file()), 31337u);
            std::filesystem::remove(backupPath);
        }
    }
}

// Two editors on one game, as two windows or two scripts: the one that loaded first and saved
// second would overwrite the other's edit, so its save is refused and its edits stay in it. A
// script holds the game from its load to its save, so that nobody can come between.
TEST_F(SaveTest, TwoEditorsOnOneGameNeverLoseAnEdit) {
    loadFrom(ArchiveBuilder::Standard());
    auto other = SavedGame::Open(path).game;
    ASSERT_TRUE(other);
    other->party().characters[35].setNumber(fields::kLuck, 5);
    ASSERT_TRUE(other->save());
    const Bytes withOthersEdit = file();

    const auto saved = saveGold(6);
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().kind, Kind::changedSinceLoad);
    EXPECT_TRUE(file() == withOthersEdit) << "nothing written over the other editor's save";
    EXPECT_EQ(game->party().values.number(fields::kGold), 6u) << "the edits stay";

    auto script = SavedGame::Open(path, {.keepOpen = true}).game;
    ASSERT_TRUE(script);
    EXPECT_EQ(*script->bytesASaveWouldChange(), 0u) << "checks, and keeps holding it";
    EXPECT_FALSE(SavedGame::Open(path).game) << "nobody comes between a script's load and save";
    EXPECT_TRUE(script->save());
}

// The backup holds the game as it was loaded: made by the first save after each load, kept by
// later saves, and without it nothing is saved.
TEST_F(SaveTest, TheFirstSaveAfterALoadKeepsTheGameAsItWasLoaded) {
    loadFrom(ArchiveBuilder::Standard());
    // A folder with something in it cannot be replaced by a file.
    std::filesystem::create_directories(backupPath / "inside");
    const auto refused = saveGold(2);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().message.rfind("ERROR: cannot write the backup copy \"" +
                                                backupPath.string() + "\", so nothing was saved!\n",
                                            0),
              0u);
    EXPECT_TRUE(file() == original) << "nothing is written without a backup";

    std::filesystem::remove_all(backupPath);
    WriteWholeFile(backupPath, Bytes{'o', 'l', 'd'});
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::perms mode = fs::status(path).permissions();  // as far as the system has modes
    ASSERT_TRUE(saveGold(2));
    EXPECT_TRUE(backup() == original) << "an older backup is replaced";
    EXPECT_TRUE(fs::status(path).permissions() == mode &&
                fs::status(backupPath).permissions() == mode)
        << "the game's mode is kept, and the backup's is the same";
    ASSERT_TRUE(saveGold(3));
    EXPECT_TRUE(backup() == original) << "later saves keep the first copy";
}

// A backup's name is the game's with ".bak", cut short where that would pass the 255 bytes that
// file systems take, and never in the middle of a character.
TEST(BackupPath, AddsBakAndCutsLongNamesBetweenCharacters) {
    const std::string e = "\xC3\xA9";  // é, in two bytes
    std::string e127, e125;
    for (int i = 0; i < 127; ++i) {
        e127 += e;
        e125 += i < 125 ? e : "";
    }
    const std::pair<std::string, std::string> names[] = {
        {"game.dkv", "game.dkv.bak"},
        {std::string(255, 'g'), std::string(251, 'g') + ".bak"},
        {std::string(249, 'g') + e, std::string(249, 'g') + e + ".bak"},
        {e127 + "g", e125 + ".bak"},
    };
    for (const auto& [game, backup] : names) {
        const auto cut =
            BackupPathOf(std::filesystem::path(std::u8string(game.begin(), game.end())))
                .filename()
                .u8string();
        EXPECT_EQ(std::string(cut.begin(), cut.end()), backup) << game.size() << " bytes";
    }
}

// The files that a save makes beside the game have short names of one length, whatever the
// game's, so that a game with the longest name saves too; they are the editor's alone from the
// moment they are made; and what a stopped save left is cleared away by the next save, but for
// files that someone holds, another user's, and names that only look like the editor's.
TEST_F(SaveTest, FilesBesideTheGameAreShortPrivateAndClearedAway) {
    // On Windows a path holds 259 characters at most, which a name of 255 here would pass.
#ifndef _WIN32
    path = dir / std::string(255, 'g');
#endif
    ArchiveBuilder::Standard().writeTo(path);
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    test::FaultyFiles files;
    ASSERT_TRUE(SavedGame::Open(path, {.files = &files}).game->save());
#ifndef _WIN32
    EXPECT_TRUE(fs::exists(dir / (std::string(251, 'g') + ".bak")));
#endif
    const auto& operations = files.operations();
    const auto traitsGiven = std::find(operations.begin(), operations.end(), "give traits");
    ASSERT_NE(traitsGiven, operations.end());

    const auto plant = [&](const std::string& name) {
        WriteWholeFile(dir / name, Noise(10, 1));
        return dir / name;
    };
    const fs::path unheld = plant(".velmor-00000000000000aa.tmp");
    const fs::path held = plant(".velmor-00000000000000bb.tmp");
    const fs::path others = plant(".velmor-00000000000000cc.tmp");
    const fs::path lookalike = plant(".velmor-000000000000xyz.tmp");
    const FileHandle holding = std::move(*SystemFiles().openExclusive(held));
#ifdef _WIN32
    const bool superuser = false;  // a test cannot give a file to another user there
#else
    const bool superuser = ::geteuid() == 0;
    if (superuser) {
        ASSERT_EQ(::chown(others.c_str(), 4201, 4201), 0);
    }
#endif
    files.runBefore(static_cast<int>(traitsGiven - operations.begin()) + 1, [&] {
        for (const auto& entry : fs::directory_iterator(dir.path())) {
            if (IsTemporaryName(entry.path()) && entry.path() != held && entry.path() != others) {
#ifdef _WIN32  // where a file held with no sharing is the editor's alone
                EXPECT_FALSE(std::ifstream(entry.path()).is_open()) << entry.path() << " as made";
#else
                EXPECT_EQ(entry.status().permissions(),
                          fs::perms::owner_read | fs::perms::owner_write)
                    << entry.path() << " as it is made";
#endif
            }
        }
    });
    ASSERT_TRUE(SavedGame::Open(path, {.files = &files}).game->save());
    EXPECT_FALSE(fs::exists(unheld));
    EXPECT_TRUE(fs::exists(held));
    EXPECT_EQ(fs::exists(others), superuser);
    EXPECT_TRUE(fs::exists(lookalike));
}

// Two saves beside one another: each clears away the other's leftovers, but never a file that the
// other is making, even in the instant between its making and its lock.
TEST_F(SaveTest, ASaveNeverTakesAFileThatAnotherIsMaking) {
    const std::jthread sweeper([this](const std::stop_token& stop) {
        while (!stop.stop_requested()) {
            SystemFiles().removeLeftoversBeside(path);
        }
    });
    int lost = 0;
    for (int made = 0; made < 5'000 && lost == 0; ++made) {
        auto file = SystemFiles().createBeside(path);
        lost += !file || !std::filesystem::exists(file->path);
        if (file) {
            file->file.reset();
            std::error_code gone;  // or being cleared away by the other
            std::filesystem::remove(file->path, gone);
        }
    }
    EXPECT_EQ(lost, 0);
}

}  // namespace
}  // namespace velmor
