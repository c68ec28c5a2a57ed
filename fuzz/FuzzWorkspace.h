// What both fuzzers share: a file system in memory holding the saved game under test, so that an
// input costs no trip to the disk.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>

#include "savegame/Backup.h"
#include "savegame/SavedGame.h"
#include "support/MemoryFiles.h"

namespace velmor::fuzz {

class Workspace {
public:
    static std::filesystem::path game() { return "/saves/game.dkv"; }
    static std::filesystem::path picture() { return "/saves/image.pcx"; }

    test::MemoryFiles& files() { return m_files; }

    // Puts the input in place as the saved game, with nothing beside it, and loads it as the
    // window does, copying its picture. The game's file is written over rather than made anew:
    // its room is kept from input to input.
    LoadOutcome load(std::span<const std::uint8_t> input) {
        for (const auto& path : m_files.paths()) {
            if (path != game()) {
                m_files.remove(path);
            }
        }
        m_files.write(game(), input);
        return SavedGame::Open(game(), {.picture = picture(), .files = &m_files});
    }

    // Whether the game, its backup and the picture are all there is: nothing left beside them.
    bool holdsOnlyTheGamesFiles() const {
        return std::ranges::all_of(m_files.paths(), [](const std::filesystem::path& path) {
            return path == game() || path == BackupPathOf(game()) || path == picture();
        });
    }

private:
    test::MemoryFiles m_files;
};

// A broken promise of the editor's: stop, so that the fuzzer keeps the input.
inline void Require(bool kept) {
    if (!kept) {
        std::abort();
    }
}

}  // namespace velmor::fuzz
