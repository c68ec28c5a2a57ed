// What the window needs of the person at the screen: a saved game picked, a message read, a
// question answered. The window asks with Qt's dialogs; tests answer from a script.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace velmor {

inline constexpr std::string_view kMessageCaption = "Velmor";

// The kinds of message box, numbered as Windows numbers them.
enum class MessageStyle {
    ok = 0x00,         // an OK button, no icon
    yesNo = 0x04,      // Yes (the default) and No, no icon
    iconError = 0x10,  // an OK button and the error icon
};

enum class MessageAnswer { ok = 1, yes = 6, no = 7 };

class Prompts {
public:
    virtual ~Prompts() = default;

    // The saved game the player picks, or nothing when they cancel. A name typed for a file that
    // does not exist comes back as chosen.
    virtual std::optional<std::filesystem::path> chooseFile() = 0;

    // Shows the message and waits until the player dismisses it.
    virtual MessageAnswer showMessage(std::string_view text, std::string_view caption,
                                      MessageStyle style) = 0;
};

inline void ShowError(Prompts& prompts, std::string_view text) {
    prompts.showMessage(text, kMessageCaption, MessageStyle::iconError);
}

}  // namespace velmor
