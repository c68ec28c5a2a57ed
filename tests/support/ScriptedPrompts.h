// Prompts answered from a script, for every window's tests: the file that the player picks next
// (none: cancel), the answers to the questions in order, and every message as shown. A question
// that the script did not expect fails the test.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "editor/Prompts.h"

namespace velmor::test {

// A message as shown: text, caption and style.
using ShownMessage = std::tuple<std::string, std::string, MessageStyle>;

inline ShownMessage Error(std::string_view text) {
    return {std::string(text), std::string(kMessageCaption), MessageStyle::iconError};
}

class ScriptedPrompts : public Prompts {
public:
    std::optional<std::filesystem::path> file;
    std::deque<MessageAnswer> answers;
    std::vector<ShownMessage> shown;
    int aboutBoxes = 0;
    std::function<void()> whileChoosing;  // as a file dialog would, while it is open

    // The texts of the messages shown, in order.
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& message : shown) {
            texts.push_back(std::get<0>(message));
        }
        return texts;
    }

    std::optional<std::filesystem::path> chooseFile() override {
        if (whileChoosing) {
            whileChoosing();
        }
        return std::exchange(file, std::nullopt);
    }
    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageStyle style) override {
        shown.emplace_back(text, caption, style);
        if (style != MessageStyle::yesNo) {
            return MessageAnswer::ok;
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return MessageAnswer::no;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showAbout() override { ++aboutBoxes; }
};

}  // namespace velmor::test
