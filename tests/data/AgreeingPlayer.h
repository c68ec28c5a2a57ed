// A player who always picks the same saved game, answers Yes to every question and looks at
// nothing: for benchmarks and fuzzers, which run the commands many times over.
#pragma once

#include <filesystem>

#include "savegame/UserInterface.h"

namespace velmor::test {

class AgreeingPlayer : public UserInterface {
public:
    explicit AgreeingPlayer(std::filesystem::path game) : m_game(std::move(game)) {}
    std::optional<std::filesystem::path> chooseFile() override { return m_game; }
    MessageAnswer showMessage(std::string_view, std::string_view, MessageStyle) override {
        return MessageAnswer::yes;
    }
    void setProgressRange(int, int) override {}
    void setProgressPosition(int) override {}

private:
    std::filesystem::path m_game;
};

}  // namespace velmor::test
