// Answers the commands' questions from a script and records everything they show, in order.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "savegame/UserInterface.h"

namespace velmor::test {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageStyle style;

    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ShownMessage& message);
};

// An error message as the commands show it: caption "Velmor", the error icon.
ShownMessage Error(std::string_view text);

class ScriptedUserInterface : public UserInterface {
public:
    // Each call of chooseFile takes the next of these; nothing left means cancel.
    std::deque<std::optional<std::filesystem::path>> files;
    // Each question takes the next of these; nothing left fails the test and answers No.
    std::deque<MessageAnswer> answers;

    std::vector<ShownMessage> shown;
    std::vector<std::pair<int, int>> progressRanges;
    std::vector<int> progressPositions;

    std::optional<std::filesystem::path> chooseFile() override;
    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageStyle style) override;
    void setProgressRange(int lower, int upper) override;
    void setProgressPosition(int position) override;
};

}  // namespace velmor::test
