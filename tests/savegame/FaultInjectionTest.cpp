// A disk can fail at any moment. Whichever file operation of a load or a save fails, the player
// is told once, the party in memory is not lost, and the next try works.
#include <gtest/gtest.h>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "party/ByteOrder.h"
#include "savegame/FileFaults.h"
#include "savegame/GameCommands.h"
#include "savegame/Messages.h"
#include "support/ScriptedUserInterface.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;
using test::Bytes;
using test::PartyBuilder;

constexpr FileOperation kOperations[] = {
    FileOperation::open, FileOperation::read,      FileOperation::write,   FileOperation::flush,
    FileOperation::size, FileOperation::setLength, FileOperation::replace,
};

const char* Name(FileOperation operation) {
    constexpr const char* kNames[] = {"open", "read",      "write",  "flush",
                                      "size", "setLength", "replace"};
    return kNames[static_cast<std::size_t>(operation)];
}

class FaultInjectionTest : public ::testing::Test {
protected:
    FaultInjectionTest() {
        path = ArchiveBuilder::Standard(PartyBuilder().value(PartySlot::gold, 1))
                   .writeTo(dir / "game.dkv");
    }
    ~FaultInjectionTest() override { FileFaults::Disarm(); }

    // How many operations of each kind a command runs when nothing fails.
    template <typename Command>
    std::vector<std::pair<FileOperation, int>> OperationsOf(Command command) {
        FileFaults::Disarm();
        command();
        std::vector<std::pair<FileOperation, int>> counts;
        for (const FileOperation operation : kOperations) {
            counts.emplace_back(operation, FileFaults::Count(operation));
        }
        return counts;
    }

    bool load(test::ScriptedUserInterface& ui, GameSession& session) {
        ui.files.push_back(path);
        return LoadGame(ui, session);
    }

    test::TemporaryDirectory dir;
    std::filesystem::path path;
};

TEST_F(FaultInjectionTest, AFailureAnywhereInALoadKeepsTheWorkingCopyAndSaysSoOnce) {
    const auto counts = OperationsOf([&] {
        test::ScriptedUserInterface ui;
        GameSession session;
        session.imagePath = dir / "image.pcx";
        ASSERT_TRUE(load(ui, session));
    });
    int points = 0;
    for (const auto& [operation, count] : counts) {
        for (int nth = 1; nth <= count; ++nth, ++points) {
            SCOPED_TRACE(std::string(Name(operation)) + " " + std::to_string(nth));
            test::ScriptedUserInterface ui;
            GameSession session;
            session.imagePath = dir / "image.pcx";
            const PartyCopy earlier = PartyBuilder().value(PartySlot::gold, 999).party();
            session.party.working = earlier;

            FileFaults::Arm(operation, nth);
            EXPECT_FALSE(load(ui, session));
            FileFaults::Disarm();
            ASSERT_EQ(ui.shown.size(), 1u);
            EXPECT_EQ(ui.shown[0].style, MessageStyle::iconError);
            EXPECT_EQ(ui.shown[0].text.rfind("ERROR: ", 0), 0u) << ui.shown[0].text;
            EXPECT_EQ(session.party.working, earlier);

            EXPECT_TRUE(load(ui, session)) << "the next load works";
        }
    }
    EXPECT_GE(points, 6) << "open, read and write of both files at least";
}

TEST_F(FaultInjectionTest, AFailureAnywhereInASaveKeepsTheEditsAndALaterSaveWorks) {
    const auto edit = [](GameSession& session) {
        session.party.working.values.setValue(PartySlot::gold, 777);
    };
    const auto counts = OperationsOf([&] {
        test::ScriptedUserInterface ui;
        GameSession session;
        session.imagePath = dir / "image.pcx";
        ASSERT_TRUE(load(ui, session));
        FileFaults::Disarm();  // count the save alone
        edit(session);
        ui.answers.push_back(MessageAnswer::yes);
        ASSERT_TRUE(SaveGame(ui, session));
    });
    const Bytes original =
        ArchiveBuilder::Standard(PartyBuilder().value(PartySlot::gold, 1)).build();
    for (const auto& [operation, count] : counts) {
        for (int nth = 1; nth <= count; ++nth) {
            SCOPED_TRACE(std::string(Name(operation)) + " " + std::to_string(nth));
            test::WriteWholeFile(path, original);
            std::filesystem::remove(path.string() + ".bak");
            test::ScriptedUserInterface ui;
            GameSession session;
            session.imagePath = dir / "image.pcx";
            ASSERT_TRUE(load(ui, session));
            ui.shown.clear();
            edit(session);
            const PartyCopy edited = session.party.working;

            FileFaults::Arm(operation, nth);
            ui.answers.push_back(MessageAnswer::yes);
            EXPECT_FALSE(SaveGame(ui, session));
            FileFaults::Disarm();
            ASSERT_EQ(ui.shown.size(), 2u) << "the question, then one error";
            EXPECT_EQ(ui.shown[1].style, MessageStyle::iconError);
            EXPECT_EQ(session.party.working, edited);

            ui.answers.push_back(MessageAnswer::yes);
            EXPECT_TRUE(SaveGame(ui, session)) << "the next save works";
            const auto position = ArchiveBuilder::Standard().dataPosition(2);
            EXPECT_EQ(ReadU32(test::ReadWholeFile(path), position + 1860), 777u);
        }
    }
}

}  // namespace
}  // namespace velmor
