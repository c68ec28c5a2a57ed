// What both fuzzers share: a scratch folder holding the saved game under test, and a player who
// picks that game and answers Yes.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "data/TemporaryDirectory.h"
#include "savegame/UserInterface.h"

namespace velmor::fuzz {

class Workspace {
public:
    std::filesystem::path game() const { return m_folder / "game.dkv"; }
    std::filesystem::path picture() const { return m_folder / "image.pcx"; }

    void write(const std::uint8_t* data, std::size_t size) const {
        std::ofstream out(game(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

private:
    test::TemporaryDirectory m_folder;
};

class Player : public UserInterface {
public:
    explicit Player(std::filesystem::path game) : m_game(std::move(game)) {}
    std::optional<std::filesystem::path> chooseFile() override { return m_game; }
    MessageAnswer showMessage(std::string_view, std::string_view, MessageStyle) override {
        return MessageAnswer::yes;
    }
    void setProgressRange(int, int) override {}
    void setProgressPosition(int) override {}

private:
    std::filesystem::path m_game;
};

// A broken promise of the editor's: stop, so that the fuzzer keeps the input.
inline void Require(bool kept) {
    if (!kept) {
        std::abort();
    }
}

}  // namespace velmor::fuzz
