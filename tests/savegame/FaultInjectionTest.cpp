// A disk can fail at any moment. Whichever file operation of a load or a save fails, the player
// is told once, the party in memory is not lost, and the next try works.
#include <gtest/gtest.h>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "party/ByteOrder.h"
#include "savegame/FileFaults.h"
#include "savegame/GameCommands.h"
#include "support/ScriptedUserInterface.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;
using test::PartyBuilder;

class FaultInjectionTest : public ::testing::Test {
protected:
    FaultInjectionTest() { session.imagePath = dir / "image.pcx"; }
    ~FaultInjectionTest() override { FileFaults::Disarm(); }

    // Runs `attempt` once with nothing failing, to count its file operations, and then once for
    // each of them with that one failing, followed by `check`. `prepare` runs before each attempt,
    // and never fails.
    template <typename Prepare, typename Attempt, typename Check>
    void ForEachFailurePoint(Prepare prepare, Attempt attempt, Check check) {
        prepare();
        FileFaults::Disarm();
        attempt();
        std::vector<std::pair<FileOperation, int>> points;
        for (std::size_t kind = 0; kind < kFileOperationCount; ++kind) {
            const auto operation = static_cast<FileOperation>(kind);
            for (int nth = 1; nth <= FileFaults::Count(operation); ++nth) {
                points.emplace_back(operation, nth);
            }
        }
        EXPECT_GE(points.size(), 6u) << "opens, reads and writes at least";
        for (const auto& [operation, nth] : points) {
            SCOPED_TRACE("operation " + std::to_string(static_cast<int>(operation)) + ", " +
                         std::to_string(nth));
            prepare();
            FileFaults::Arm(operation, nth);
            attempt();
            FileFaults::Disarm();
            check();
        }
    }

    bool load() {
        ui.files.push_back(path);
        return LoadGame(ui, session);
    }
    bool save() {
        ui.answers.push_back(MessageAnswer::yes);
        return SaveGame(ui, session);
    }

    test::TemporaryDirectory dir;
    const std::filesystem::path path = ArchiveBuilder::Standard().writeTo(dir / "game.dkv");
    test::ScriptedUserInterface ui;
    GameSession session;
};

TEST_F(FaultInjectionTest, AFailureAnywhereInALoadKeepsTheWorkingCopyAndSaysSoOnce) {
    const PartyCopy earlier = PartyBuilder().value(PartySlot::gold, 999).party();
    bool loaded = false;
    ForEachFailurePoint(
        [&] {
            session.party.working = earlier;
            ui.shown.clear();
        },
        [&] { loaded = load(); },
        [&] {
            EXPECT_FALSE(loaded);
            ASSERT_EQ(ui.shown.size(), 1u);
            EXPECT_EQ(ui.shown[0].style, MessageStyle::iconError);
            EXPECT_EQ(ui.shown[0].text.rfind("ERROR: ", 0), 0u) << ui.shown[0].text;
            EXPECT_EQ(session.party.working, earlier);
            EXPECT_TRUE(load()) << "the next load works";
        });
}

TEST_F(FaultInjectionTest, AFailureAnywhereInASaveKeepsTheEditsAndALaterSaveWorks) {
    const test::Bytes original = test::ReadWholeFile(path);
    const auto goldInFile = [&] {
        return ReadU32(test::ReadWholeFile(path),
                       ArchiveBuilder::Standard().dataPosition(2) + 1860);
    };
    bool saved = false;
    ForEachFailurePoint(
        [&] {
            test::WriteWholeFile(path, original);
            std::filesystem::remove(path.string() + ".bak");
            ASSERT_TRUE(load());
            session.party.working.values.setValue(PartySlot::gold, 777);
            ui.shown.clear();
        },
        [&] { saved = save(); },
        [&] {
            EXPECT_FALSE(saved);
            ASSERT_EQ(ui.shown.size(), 2u) << "the question, then one error";
            EXPECT_EQ(ui.shown[1].style, MessageStyle::iconError);
            EXPECT_EQ(session.party.working.values.value(PartySlot::gold), 777u);
            EXPECT_TRUE(save()) << "the next save works";
            EXPECT_EQ(goldInFile(), 777u);
        });
}

}  // namespace
}  // namespace velmor
