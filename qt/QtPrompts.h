// The editor's questions, messages and About box, asked with Qt's dialogs on the main window.
#pragma once

#include <QWidget>

#include "editor/Prompts.h"

namespace velmor {

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget& window) : m_window(window) {}

    // The open-file dialog, which does not insist that the file exists.
    std::optional<std::filesystem::path> chooseFile() override;

    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageStyle style) override;

    void showAbout() override;

private:
    QWidget& m_window;
};

}  // namespace velmor
