// What the load, save and close commands need of the person at the screen. The window answers
// with dialogs and its progress bar; tests answer from a script and record what was shown.
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

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setProgressRange(int lower, int upper) = 0;
    virtual void setProgressPosition(int position) = 0;
};

// The questions and messages of the commands.
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

class UserInterface : public Prompts, public ProgressSink {};

inline void ShowError(Prompts& ui, std::string_view text) {
    ui.showMessage(text, kMessageCaption, MessageStyle::iconError);
}

}  // namespace velmor
