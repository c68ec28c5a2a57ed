// What the editor needs of the person at the screen: a saved game picked, a message read, a
// question answered, the About box seen. Each window asks with its own dialogs; tests answer from
// a script.
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

// The choices of the file dialog, the first chosen at the start.
struct FileFilter {
    std::string_view name;
    std::string_view pattern;
};
inline constexpr FileFilter kSavedGameFilters[] = {{"Orn Saved Games", "*.dkv"},
                                                   {"All Files", "*"}};

class Prompts {
public:
    virtual ~Prompts() = default;

    // The saved game the player picks with kSavedGameFilters, or nothing when they cancel. A name
    // typed for a file that does not exist comes back as chosen. Once a file is chosen, its folder
    // is the working directory, as the Windows dialog leaves it, so that the picture that every
    // load copies out lands beside the saved game.
    virtual std::optional<std::filesystem::path> chooseFile() = 0;

    // Shows the message and waits until the player dismisses it.
    virtual MessageAnswer showMessage(std::string_view text, std::string_view caption,
                                      MessageStyle style) = 0;

    // Shows the About box until the player closes it.
    virtual void showAbout() = 0;
};

inline void ShowError(Prompts& prompts, std::string_view text) {
    prompts.showMessage(text, kMessageCaption, MessageStyle::iconError);
}

}  // namespace velmor
