// The fuzzers load and save in memory, so the file system in memory has to keep the promises of
// the file layer that a save relies on, as the system's does. The same stories run on both.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>

#include "data/ArchiveBuilder.h"
#include "data/TemporaryDirectory.h"
#include "savegame/Backup.h"
#include "savegame/SavedGame.h"
#include "support/FaultyFiles.h"
#include "support/MemoryFiles.h"

namespace velmor {
namespace {

using namespace test;
namespace fs = std::filesystem;

// A folder on the disk, with the same means for a test as the file system in memory.
class OnDisk {
public:
    FileSystem& files() { return SystemFiles(); }
    fs::path folder() const { return m_folder.path(); }
    // Over a read-only file too, which Windows would neither remove nor write.
    void write(const fs::path& path, const Bytes& bytes) {
        std::error_code none;
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, none);
        WriteWholeFile(path, bytes);
    }
    std::optional<Bytes> read(const fs::path& path) const {
        return fs::exists(path) ? std::optional(ReadWholeFile(path)) : std::nullopt;
    }
    void makeReadOnly(const fs::path& path) { fs::permissions(path, fs::perms::owner_read); }
    std::vector<fs::path> paths() const {
        std::vector<fs::path> paths;
        for (const auto& entry : fs::directory_iterator(folder())) {
            paths.push_back(entry.path());
        }
        std::ranges::sort(paths);
        return paths;
    }

private:
    TemporaryDirectory m_folder;
};

// The same in memory.
class InMemory {
public:
    FileSystem& files() { return m_files; }
    fs::path folder() const { return "/saves"; }
    void write(const fs::path& path, const Bytes& bytes) { m_files.write(path, bytes); }
    std::optional<Bytes> read(const fs::path& path) const { return m_files.read(path); }
    void makeReadOnly(const fs::path& path) { m_files.makeReadOnly(path); }
    std::vector<fs::path> paths() const { return m_files.paths(); }

private:
    MemoryFiles m_files;
};

template <typename Place>
class FileLayerPromises : public ::testing::Test {
protected:
    // The game afresh, loaded through `files`, and its gold edited.
    std::unique_ptr<SavedGame> editedGame(FileSystem& files, bool keepOpen = false) {
        original = archive.build();
        place.files().remove(backup);
        place.files().remove(path);
        place.write(path, original);
        auto loaded = SavedGame::Open(path, {.keepOpen = keepOpen, .files = &files}).game;
        if (!loaded) {
            throw std::runtime_error("the game does not load");
        }
        loaded->party().values.setNumber(fields::kGold, 777);
        return loaded;
    }

    Place place;
    const fs::path path = place.folder() / "game.dkv";
    const fs::path backup = BackupPathOf(path);
    ArchiveBuilder archive = ArchiveBuilder::Standard();
    Bytes original;
};

using Places = ::testing::Types<OnDisk, InMemory>;
TYPED_TEST_SUITE(FileLayerPromises, Places);

// A game held by another editor, made read-only or gone is refused, in the system's words,
// whether the editor held it since the load or opens it again.
TYPED_TEST(FileLayerPromises, AGameThatCannotBeOpenedSaysWhy) {
    FileSystem& files = this->place.files();
    FileHandle other;
    const std::pair<std::function<void()>, std::string> causes[] = {
        {[&] {
             auto opened = files.openExclusive(this->path);
             ASSERT_TRUE(opened);
             other = std::move(*opened);
         },
         "another program is using it"},
        {[&] { this->place.makeReadOnly(this->path); }, "it is read-only"},
        {[&] { files.remove(this->path); }, "No such file or directory"},
    };
    for (const bool keepOpen : {false, true}) {
        for (const auto& [cause, why] : causes) {
            if (keepOpen && why == "another program is using it") {
                continue;  // nobody else can hold a held game
            }
#ifdef _WIN32
            if (keepOpen && why == "No such file or directory") {
                continue;  // nor, on Windows, remove it
            }
#endif
            SCOPED_TRACE(why + (keepOpen ? ", held" : ""));
            auto game = this->editedGame(files, keepOpen);
            cause();
            const auto refused = game->save();
            other.reset();
            ASSERT_FALSE(refused);
            EXPECT_EQ(refused.error().message, "ERROR: cannot open file!\ncannot open \"" +
                                                   this->path.string() + "\": " + why);
        }
    }
}

// A script holds the game from its load to its save, so nobody comes between. The save leaves the
// game as loaded in the backup and the edit in the game, lets go of the game, and clears away what
// a stopped save left beside it but what somebody holds.
TYPED_TEST(FileLayerPromises, ASaveReplacesTheGameAndClearsWhatNobodyHolds) {
    FileSystem& files = this->place.files();
    // Past the copy's first piece of 1 MiB, so that a piece is written at an offset.
    this->archive.gapAfterDirectory(1'100'000);
    auto game = this->editedGame(files, true);
    EXPECT_FALSE(files.openExclusive(this->path));
    const fs::path unheld = this->place.folder() / ".velmor-00000000000000aa.tmp";
    const fs::path held = this->place.folder() / ".velmor-00000000000000bb.tmp";
    this->place.write(unheld, Noise(10, 1));
    this->place.write(held, Noise(10, 2));
    const auto holding = files.openExclusive(held);
    ASSERT_TRUE(holding);

    const auto report = game->save();
    ASSERT_TRUE(report);
    EXPECT_FALSE(report->inPlace) << "a new file took all of the game's traits";
    Bytes saved = this->original;
    PutParty(saved, this->archive.dataPosition(2), game->party());
    EXPECT_EQ(this->place.read(this->path), saved);
    EXPECT_EQ(this->place.read(this->backup), this->original);
    EXPECT_EQ(this->place.paths(), (std::vector{held, this->path, this->backup}));
    EXPECT_TRUE(files.openExclusive(this->path));
}

// Another program writes outside the party before a file operation of a save: the write is in the
// saved game, or the save is refused because the stamp shows it. Only the instant before the
// game is replaced is left, where the write goes to the old file.
TYPED_TEST(FileLayerPromises, AWriteByAnotherProgramDuringASaveIsNeverLost) {
    FaultyFiles files(this->place.files());
    auto game = this->editedGame(files);
    files.failAt(0);
    ASSERT_TRUE(game->save());
    const std::vector<std::string> operations = files.operations();
    const auto last = std::ranges::find(operations.rbegin(), operations.rend(), "replace");
    ASSERT_NE(last, operations.rend());
    const std::size_t header = this->archive.dataPosition(0);
    Bytes written = this->original;
    written[header] ^= 0x5A;
    for (std::size_t nth = 1; nth <= operations.size(); ++nth) {
        if (operations.rend() - last == static_cast<std::ptrdiff_t>(nth)) {
            continue;
        }
        SCOPED_TRACE(std::to_string(nth) + ": " + operations[nth - 1]);
        game = this->editedGame(files);
        bool refused = false;  // as Windows refuses it while a save holds the game
        files.runBefore(static_cast<int>(nth), [&] {
            try {
                this->place.write(this->path, written);
            } catch (const std::runtime_error&) {
                refused = true;
            }
        });
        const auto result = game->save();
        files.failAt(0);
        if (!refused) {
            EXPECT_EQ(this->place.read(this->path).value()[header], written[header]);
        }
        if (!result) {
            EXPECT_EQ(result.error().kind, GameErrorKind::changedSinceLoad);
        }
    }
}

}  // namespace
}  // namespace velmor
