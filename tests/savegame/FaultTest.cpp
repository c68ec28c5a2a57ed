// A disk can fail at any moment. Whichever file operation of a load or a save fails, the command
// says so once, the party in memory is not lost, and the next try works.
#include <gtest/gtest.h>

#include <array>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "party/ByteFields.h"
#include "savegame/PartyEntry.h"
#include "savegame/SavedGame.h"
#include "support/FaultyFiles.h"

namespace velmor {
namespace {

using namespace test;

class FaultTest : public ::testing::Test {
protected:
    // Runs `attempt` once with nothing failing, to count its file operations, and then once for
    // each of them with that one failing, followed by `check`. `prepare` runs before each attempt
    // and never fails. Answers the count of each kind of operation.
    template <typename Prepare, typename Attempt, typename Check>
    std::array<int, kFileOperationCount> forEachFailurePoint(Prepare prepare, Attempt attempt,
                                                             Check check) {
        prepare();
        files.disarm();
        attempt();
        std::array<int, kFileOperationCount> counts{};
        for (std::size_t kind = 0; kind < kFileOperationCount; ++kind) {
            counts[kind] = files.count(static_cast<FileOperation>(kind));
        }
        for (std::size_t kind = 0; kind < kFileOperationCount; ++kind) {
            for (int nth = 1; nth <= counts[kind]; ++nth) {
                SCOPED_TRACE("operation " + std::to_string(kind) + ", " + std::to_string(nth));
                prepare();
                files.arm(static_cast<FileOperation>(kind), nth);
                attempt();
                files.disarm();
                check();
            }
        }
        return counts;
    }
    LoadOutcome load() {
        return SavedGame::Open(path, {.picture = dir / "image.pcx", .files = &files});
    }

    TemporaryDirectory dir;
    const std::filesystem::path path = ArchiveBuilder::Standard().writeTo(dir / "game.dkv");
    FaultyFiles files;
};

TEST_F(FaultTest, AFailureAnywhereInALoadIsToldOnce) {
    LoadOutcome outcome;
    forEachFailurePoint([] {}, [&] { outcome = load(); },
                        [&] {
                            EXPECT_FALSE(outcome.game);
                            ASSERT_EQ(outcome.messages.size(), 1u);
                            EXPECT_EQ(outcome.messages[0].message.rfind("ERROR: ", 0), 0u)
                                << outcome.messages[0].message;
                            EXPECT_TRUE(load().game) << "the next load works";
                        });
}

TEST_F(FaultTest, AFailureAnywhereInASaveKeepsTheEditsAndALaterSaveWorks) {
    const Bytes original = ReadWholeFile(path);
    const auto goldInFile = [&] {
        return ReadU32(ReadWholeFile(path), ArchiveBuilder::Standard().dataPosition(2) +
                                                kPartyValuesOffset + fields::kGold.offset);
    };
    std::unique_ptr<SavedGame> game;
    GameResult<> saved;
    const auto counts = forEachFailurePoint(
        [&] {
            WriteWholeFile(path, original);
            std::filesystem::remove(path.string() + ".bak");
            game = load().game;
            ASSERT_TRUE(game);
            game->party().values.setNumber(fields::kGold, 777);
        },
        [&] { saved = game->save(); },
        [&] {
            ASSERT_FALSE(saved);
            EXPECT_EQ(saved.error().message.rfind("ERROR: ", 0), 0u) << saved.error().message;
            EXPECT_EQ(game->party().values.number(fields::kGold), 777u);
            EXPECT_TRUE(game->save()) << "the next save works";
            EXPECT_EQ(goldInFile(), 777u);
        });
    // "Save successful!" is only true once the game is on the disk: the backup and the game are
    // both made to reach it.
    EXPECT_GE(counts[static_cast<std::size_t>(FileOperation::flush)], 2);
    files.disarm();
    ASSERT_TRUE(game->save());
    EXPECT_GE(files.count(FileOperation::flush), 1) << "without a backup to make";
}

}  // namespace
}  // namespace velmor
