#include "win32/WindowsPrompts.h"

#include <commdlg.h>

#include "win32/AboutBox.h"
#include "win32/WideText.h"

namespace velmor {

std::optional<std::filesystem::path> WindowsPrompts::chooseFile() {
    // "Name\0pattern\0" for each choice, and one more zero at the end.
    std::wstring filter;
    for (const FileFilter& choice : kSavedGameFilters) {
        filter += Widen(choice.name) + L'\0' + Widen(choice.pattern) + L'\0';
    }
    std::wstring chosen(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!::GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    chosen.resize(chosen.find(L'\0'));
    const std::filesystem::path path(chosen);
    ::SetCurrentDirectoryW(path.parent_path().c_str());
    return path;
}

MessageAnswer WindowsPrompts::showMessage(std::string_view text, std::string_view caption,
                                          MessageStyle style) {
    // The styles and answers are numbered as MessageBox numbers them.
    return static_cast<MessageAnswer>(::MessageBoxW(
        m_owner, Widen(text).c_str(), Widen(caption).c_str(), static_cast<UINT>(style)));
}

void WindowsPrompts::showAbout() {
    ShowAboutBox(m_instance, m_owner);
}

}  // namespace velmor
