// The load and save commands on a terminal: the game is the one named on the command line, every
// message goes to standard error, and the question whether to save is answered Yes, since running
// a command that writes is the answer.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "savegame/UserInterface.h"

namespace velmor::cli {

class ConsolePrompts : public UserInterface {
public:
    ConsolePrompts(std::filesystem::path game, std::ostream& errors)
        : m_game(std::move(game)), m_errors(errors) {}

    std::optional<std::filesystem::path> chooseFile() override { return m_game; }
    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageStyle style) override;
    void setProgressRange(int, int) override {}
    void setProgressPosition(int) override {}

    // The error messages shown so far, in order.
    const std::vector<std::string>& errorsShown() const { return m_shown; }

private:
    std::filesystem::path m_game;
    std::ostream& m_errors;
    std::vector<std::string> m_shown;
};

}  // namespace velmor::cli
