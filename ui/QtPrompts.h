// The commands' questions and messages, asked with Qt's dialogs on the main window.
#pragma once

#include <QWidget>

#include "ui/Prompts.h"

namespace velmor {

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget& window) : m_window(window) {}

    // The open-file dialog. It does not insist that the file exists, and on acceptance makes the
    // chosen file's folder the working directory, as the Windows dialog does, so that the
    // picture that every load copies out lands beside the saved game.
    std::optional<std::filesystem::path> chooseFile() override;

    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageStyle style) override;

private:
    QWidget& m_window;
};

}  // namespace velmor
