// A save killed at any instant, by a kill or a power cut, leaves the game whole: the bytes as
// they were or the bytes of the save, never a mixture, and the backup as the game was loaded.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <iostream>
#include <random>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/Backup.h"
#include "savegame/PartyEntry.h"
#include "savegame/SavedGame.h"
#include "support/FaultyFiles.h"

namespace velmor {
namespace {

using namespace test;

class KillTest : public ::testing::Test {
protected:
    // Saves an edited game in a child process, which `kill` stops at some point; answers whether
    // the child was killed before the save ended.
    bool saveAndKill(const std::function<void()>& armChild,
                     const std::function<void(pid_t)>& kill) {
        folder = std::make_unique<TemporaryDirectory>();
        game = archive.writeTo(*folder / "game.dkv");
        auto loaded = SavedGame::Open(game, {.files = &files}).game;
        EXPECT_TRUE(loaded);
        loaded->party() = edited;
        const pid_t child = ::fork();
        if (child == 0) {
            armChild();
            ::_exit(loaded->save() ? 0 : 1);
        }
        kill(child);
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

    // Sorts what the killed save left, and checks that the game can be loaded and saved again.
    void inspect() {
        const Bytes now = ReadWholeFile(game);
        if (now == original) {
            ++oldGames;
        } else if (now == saved) {
            ++newGames;
        } else {
            ++tornGames;
        }
        if (std::filesystem::exists(BackupPathOf(game))) {
            EXPECT_TRUE(ReadWholeFile(BackupPathOf(game)) == original) << "the backup is torn";
        }
        auto again = SavedGame::Open(game).game;
        ASSERT_TRUE(again);
        EXPECT_TRUE(again->save()) << "the game can be saved again after the kill";
    }

    const ArchiveBuilder archive = ArchiveBuilder::Standard();
    const Bytes original = archive.build();
    Party edited = PartyBuilder().value(fields::kGold, 7).party();
    Bytes saved;
    FaultyFiles files;
    std::unique_ptr<TemporaryDirectory> folder;
    std::filesystem::path game;
    int oldGames = 0, newGames = 0, tornGames = 0;
};

TEST_F(KillTest, AKilledSaveLeavesTheOldGameOrTheNew) {
    for (std::size_t i = 0; i < kCharacterCount; ++i) {
        edited.characters[i].setNumber(fields::kMight, 200);  // every record changes
    }
    saved = original;
    PlaceParty(saved, 0, archive.dataPosition(2), edited);

    // Killed just before each file operation of the save in turn...
    int points = 0;
    while (saveAndKill([&] { files.killAt(points + 1); }, [](pid_t) {})) {
        ++points;  // the save had not ended before this operation
        inspect();
    }
    EXPECT_GE(points, 5);
    // ...and at random instants, inside the system's own calls too, over twice the time that a
    // whole save takes here.
    const auto start = std::chrono::steady_clock::now();
    saveAndKill([] {}, [](pid_t) {});
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - start)
                          .count();
    std::mt19937 random(7);
    int landed = 0;
    constexpr int kRandomKills = 150;
    for (int round = 0; round < kRandomKills; ++round) {
        const auto delay = std::uniform_int_distribution<long>(0, 2 * span)(random);
        landed += saveAndKill([] {},
                              [delay](pid_t child) {
                                  ::usleep(static_cast<useconds_t>(delay));
                                  ::kill(child, SIGKILL);
                              });
        inspect();
    }
    std::cout << "killed before each of " << points << " file operations, and " << kRandomKills
              << " times at random (" << landed << " inside the save); games left as they were "
              << oldGames << ", saved " << newGames << ", torn " << tornGames << "\n";
    EXPECT_EQ(tornGames, 0);
}

}  // namespace
}  // namespace velmor
