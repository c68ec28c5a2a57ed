// Answers the window's questions from a script and records everything it shows, in order.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/Prompts.h"

namespace velmor::test {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageStyle style;

    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ShownMessage& message);
};

// An error message as the window shows it: caption "Velmor", the error icon.
ShownMessage Error(std::string_view text);

class ScriptedPrompts : public Prompts {
public:
    // Each call of chooseFile takes the next of these; nothing left means cancel.
    std::deque<std::optional<std::filesystem::path>> files;
    // Each question takes the next of these; nothing left fails the test and answers No.
    std::deque<MessageAnswer> answers;

    std::vector<ShownMessage> shown;

    std::optional<std::filesystem::path> chooseFile() override;
    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageStyle style) override;
};

}  // namespace velmor::test
