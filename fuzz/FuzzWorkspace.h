// What both fuzzers share: a scratch folder holding the saved game under test.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/TemporaryDirectory.h"
#include "savegame/SavedGame.h"

namespace velmor::fuzz {

class Workspace {
public:
    std::filesystem::path game() const { return m_folder / "game.dkv"; }
    std::filesystem::path picture() const { return m_folder / "image.pcx"; }

    // Writes the input as the saved game and loads it as the window does, copying its picture
    // here.
    LoadOutcome load(const std::uint8_t* data, std::size_t size) const {
        {
            std::ofstream out(game(), std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        }
        return SavedGame::Open(game(), {.picture = picture()});
    }

private:
    test::TemporaryDirectory m_folder;
};

// A broken promise of the editor's: stop, so that the fuzzer keeps the input.
inline void Require(bool kept) {
    if (!kept) {
        std::abort();
    }
}

}  // namespace velmor::fuzz
