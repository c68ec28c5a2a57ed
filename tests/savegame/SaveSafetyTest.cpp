// What protects a saved game beyond the checks: the backup made before the first overwrite, the
// write that reaches the disk before success is reported, and the lock against a second editor.
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
#include "support/ScriptedUserInterface.h"

namespace velmor {
namespace {

using test::ArchiveBuilder;
using test::Bytes;
using test::Error;
using test::PartyBuilder;

class SaveSafetyTest : public ::testing::Test {
protected:
    SaveSafetyTest() {
        session.imagePath = dir / "image.pcx";
        path = dir / "game.dkv";
        backup = dir / "game.dkv.bak";
    }
    ~SaveSafetyTest() override { FileFaults::Disarm(); }

    void load(const ArchiveBuilder& archive) {
        archive.writeTo(path);
        ui.files.push_back(path);
        ASSERT_TRUE(LoadGame(ui, session));
        ui.shown.clear();
    }
    bool save(std::uint32_t gold) {
        session.party.working.values.setValue(PartySlot::gold, gold);
        ui.answers.push_back(MessageAnswer::yes);
        return SaveGame(ui, session);
    }
    std::uint32_t goldIn(const Bytes& file) const {
        return ReadU32(file, ArchiveBuilder::Standard().dataPosition(2) + 1860);
    }
    Bytes file() const { return test::ReadWholeFile(path); }

    test::TemporaryDirectory dir;
    test::ScriptedUserInterface ui;
    GameSession session;
    std::filesystem::path path;
    std::filesystem::path backup;
};

TEST_F(SaveSafetyTest, FirstSaveAfterALoadKeepsTheGameAsItWasLoaded) {
    test::WriteWholeFile(backup, Bytes{'o', 'l', 'd'});
    load(ArchiveBuilder::Standard(PartyBuilder().value(PartySlot::gold, 1)));
    const Bytes asLoaded = file();

    ASSERT_TRUE(save(2));
    EXPECT_EQ(test::ReadWholeFile(backup), asLoaded) << "an older backup is replaced";
    ASSERT_TRUE(save(3));
    EXPECT_EQ(test::ReadWholeFile(backup), asLoaded) << "later saves keep the first copy";
    EXPECT_EQ(goldIn(file()), 3u);
    EXPECT_FALSE(std::filesystem::exists(backup.string() + ".new"));

    CloseGame(session);
    ui.files.push_back(path);
    ASSERT_TRUE(LoadGame(ui, session));
    const Bytes reloaded = file();
    ASSERT_TRUE(save(4));
    EXPECT_EQ(test::ReadWholeFile(backup), reloaded) << "a new load makes a new backup";
}

TEST_F(SaveSafetyTest, NoBackupWithoutYesOrWhenAChecksRefuses) {
    load(ArchiveBuilder::Standard());
    ui.answers.push_back(MessageAnswer::no);
    EXPECT_FALSE(SaveGame(ui, session));
    EXPECT_FALSE(std::filesystem::exists(backup));

    ArchiveBuilder::Standard().signature("XXX").writeTo(path);
    EXPECT_FALSE(save(5));
    EXPECT_FALSE(std::filesystem::exists(backup));
}

TEST_F(SaveSafetyTest, ABackupThatCannotBeWrittenStopsTheSave) {
    load(ArchiveBuilder::Standard(PartyBuilder().value(PartySlot::gold, 1)));
    const Bytes before = file();
    std::filesystem::create_directory(backup.string() + ".new");  // nothing can be created there

    EXPECT_FALSE(save(2));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[1].style, MessageStyle::iconError);
    EXPECT_EQ(ui.shown[1].text.rfind("ERROR: ", 0), 0u);
    EXPECT_NE(ui.shown[1].text.find(backup.string()), std::string::npos) << ui.shown[1].text;
    EXPECT_EQ(file(), before) << "nothing is written without a backup";
    EXPECT_FALSE(std::filesystem::exists(backup));
    EXPECT_EQ(session.party.working.values.value(PartySlot::gold), 2u);

    std::filesystem::remove(backup.string() + ".new");
    ui.shown.clear();
    EXPECT_TRUE(save(2));
    EXPECT_EQ(test::ReadWholeFile(backup), before);
}

// Removing the flush would make this save report success.
TEST_F(SaveSafetyTest, SuccessIsReportedOnlyOnceTheGameIsOnTheDisk) {
    load(ArchiveBuilder::Standard());
    ASSERT_TRUE(save(2));  // the first save also flushes the backup
    FileFaults::Disarm();
    ASSERT_TRUE(save(3));
    EXPECT_EQ(FileFaults::Count(FileOperation::flush), 1);

    FileFaults::Arm(FileOperation::flush, 1);
    ui.shown.clear();
    EXPECT_FALSE(save(4));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_NE(ui.shown[1].text.find(backup.string()), std::string::npos)
        << "the player learns where the game as loaded is kept: " << ui.shown[1].text;
}

// Another editor, in another process, holds the game open: the save is refused, the edits stay,
// and once that editor lets go the same save works.
TEST_F(SaveSafetyTest, ASecondEditorProcessHoldingTheGameRefusesTheSave) {
    load(ArchiveBuilder::Standard());
    int locked[2];
    int release[2];
    ASSERT_EQ(::pipe(locked), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        auto held = GameFile::OpenExclusive(path);
        const char ready = held ? 'y' : 'n';
        (void)!::write(locked[1], &ready, 1);
        char done;
        (void)!::read(release[0], &done, 1);
        ::_exit(0);
    }
    char ready = 0;
    ASSERT_EQ(::read(locked[0], &ready, 1), 1);
    ASSERT_EQ(ready, 'y');

    EXPECT_FALSE(save(42));
    EXPECT_EQ(ui.shown.back(), Error(messages::kCannotOpenFile));
    EXPECT_EQ(session.party.working.values.value(PartySlot::gold), 42u);

    ASSERT_EQ(::write(release[1], "x", 1), 1);
    int status = 0;
    ::waitpid(other, &status, 0);
    for (const int descriptor : {locked[0], locked[1], release[0], release[1]}) {
        ::close(descriptor);
    }
    EXPECT_TRUE(save(42));
    EXPECT_EQ(goldIn(file()), 42u);
}

}  // namespace
}  // namespace velmor
