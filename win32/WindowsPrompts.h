// The editor's questions, messages and About box, asked with Windows' own dialogs on the main
// window.
#pragma once

#include <windows.h>

#include "editor/Prompts.h"

namespace velmor {

class WindowsPrompts final : public Prompts {
public:
    // `owner` is the main window's handle, known once the window exists.
    WindowsPrompts(HINSTANCE instance, const HWND& owner) : m_instance(instance), m_owner(owner) {}

    // The open-file dialog, which does not insist that the file exists.
    std::optional<std::filesystem::path> chooseFile() override;

    MessageAnswer showMessage(std::string_view text, std::string_view caption,
                              MessageStyle style) override;

    void showAbout() override;

private:
    HINSTANCE m_instance;
    const HWND& m_owner;
};

}  // namespace velmor
