// Links planted beside the game, and files that are the game under another name: a load or a save
// never writes through a link into another file, never writes the game as its own picture, and
// never writes the game's backup over the game.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <functional>
#include <optional>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/Backup.h"
#include "savegame/SavedGame.h"

namespace velmor {
namespace {

using namespace test;
using Kind = GameErrorKind;

struct Planted {
    const char* story;
    // Plants links and files in the folder; may choose another name for the game.
    std::function<void(const std::filesystem::path& dir, std::filesystem::path& game)> plant;
    std::vector<Kind> loadMessages;  // none: the load works, and so does a save
    std::optional<Kind> saveRefused = std::nullopt;
};

TEST(Links, NoWriteGoesThroughALinkOrIntoTheGameItself) {
    namespace fs = std::filesystem;
    const Planted cases[] = {
        {"the game is the picture",
         [](const fs::path& dir, fs::path& game) { game = dir / "image.pcx"; },
         {Kind::cannotWritePicture}},
        {"the picture is a hard link to the game",
         [](const fs::path& dir, fs::path& game) { fs::create_hard_link(game, dir / "image.pcx"); },
         {Kind::cannotWritePicture}},
        {"the backup's name is a hard link to the game",
         [](const fs::path&, fs::path& game) { fs::create_hard_link(game, BackupPathOf(game)); },
         {},
         Kind::backupFailed},
#ifndef _WIN32
        // On Windows only an administrator may make a symbolic link, and named pipes live outside
        // the folders.
        {"a link in place of the backup",
         [](const fs::path& dir, fs::path& game) {
             fs::create_symlink(dir / "victim", BackupPathOf(game));
         },
         {}},
        {"a link in place of the picture",
         [](const fs::path& dir, fs::path&) {
             fs::create_symlink(dir / "victim", dir / "image.pcx");
         },
         {Kind::cannotWritePicture}},
        {"the picture is a named pipe",
         [](const fs::path& dir, fs::path&) {
             ASSERT_EQ(::mkfifo((dir / "image.pcx").c_str(), 0666), 0);
         },
         {Kind::cannotWritePicture}},
        {"the game is reached through a link",
         [](const fs::path& dir, fs::path& game) {
             fs::rename(game, dir / "real.dkv");
             fs::create_symlink(dir / "real.dkv", game);
         },
         {}},
        {"the game is reached through a link from its backup's name",
         [](const fs::path&, fs::path& game) {
             fs::rename(game, BackupPathOf(game));
             fs::create_symlink(BackupPathOf(game), game);
         },
         {},
         Kind::backupFailed},
#endif
    };
    for (const auto& [story, plant, loadMessages, saveRefused] : cases) {
        SCOPED_TRACE(story);
        const TemporaryDirectory dir;
        const Bytes victim{'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'};
        WriteWholeFile(dir / "victim", victim);
        fs::path game = dir / "game.dkv";
        ArchiveBuilder::Standard().writeTo(game);
        plant(dir.path(), game);
        if (!fs::exists(game)) {
            ArchiveBuilder::Standard().writeTo(game);
        }
        const Bytes original = ReadWholeFile(game);
        const bool linked = fs::is_symlink(game);
        const auto names = fs::hard_link_count(game);

        LoadOutcome loaded = SavedGame::Open(game, {.picture = dir / "image.pcx"});
        std::vector<Kind> kinds;
        for (const GameError& message : loaded.messages) {
            kinds.push_back(message.kind);
        }
        EXPECT_EQ(kinds, loadMessages);
        Bytes expected = original;
        if (loaded.game) {
            loaded.game->party().values.setNumber(fields::kGold, 4321);
            const auto saved = loaded.game->save();
            if (saveRefused) {
                ASSERT_FALSE(saved);
                EXPECT_EQ(saved.error().kind, *saveRefused);
                EXPECT_EQ(ReadWholeFile(game), original);
                EXPECT_EQ(fs::hard_link_count(game), names);
                continue;
            }
            EXPECT_TRUE(saved);
            expected = ReadWholeFile(game);
            EXPECT_NE(expected, original) << "the save reached the game";
            EXPECT_TRUE(ReadWholeFile(BackupPathOf(game)) == original) << "the backup";
        }
        EXPECT_TRUE(ReadWholeFile(dir / "victim") == victim) << "the file behind a link changed";
        EXPECT_TRUE(ReadWholeFile(game) == expected) << "the game changed";
        EXPECT_EQ(fs::is_symlink(game), linked) << "a link to the game stays a link";
    }
}

}  // namespace
}  // namespace velmor
