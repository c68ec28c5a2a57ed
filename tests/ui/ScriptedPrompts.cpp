#include "ui/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace velmor::test {

std::ostream& operator<<(std::ostream& out, const ShownMessage& message) {
    return out << "[" << message.caption << ", style " << static_cast<int>(message.style) << "] "
               << message.text;
}

ShownMessage Error(std::string_view text) {
    return {std::string(text), std::string(kMessageCaption), MessageStyle::iconError};
}

std::optional<std::filesystem::path> ScriptedPrompts::chooseFile() {
    if (files.empty()) {
        return std::nullopt;
    }
    auto file = files.front();
    files.pop_front();
    return file;
}

MessageAnswer ScriptedPrompts::showMessage(std::string_view text, std::string_view caption,
                                           MessageStyle style) {
    shown.push_back({std::string(text), std::string(caption), style});
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

}  // namespace velmor::test
