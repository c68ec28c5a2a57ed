#include "qt/SystemMenu.h"

#include <QAction>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace velmor {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

#ifdef Q_OS_WIN

// Windows sends the choice to the window as WM_SYSCOMMAND, which the window's nativeEvent passes
// on; `command` is not needed here.
WindowMenu::WindowMenu(QWidget& window, std::span<const MenuItem> items,
                       const std::function<void(unsigned)>&)
    : m_window(window) {
    HMENU menu = ::GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    for (const MenuItem& item : items) {
        if (item.text.empty()) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            const QString text = FromUtf8(item.text);
            ::AppendMenuW(menu, MF_STRING, item.command,
                          reinterpret_cast<const wchar_t*>(text.utf16()));
        }
    }
}

void WindowMenu::enable(unsigned command, bool enabled) {
    ::EnableMenuItem(::GetSystemMenu(reinterpret_cast<HWND>(m_window.winId()), FALSE), command,
                     MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

#else

// The context menu has nothing above the first item for a separator to part it from.
WindowMenu::WindowMenu(QWidget& window, std::span<const MenuItem> items,
                       const std::function<void(unsigned)>& command)
    : m_window(window) {
    for (const MenuItem& item : items) {
        auto* action = new QAction(FromUtf8(item.text), &window);
        if (item.text.empty()) {
            if (window.actions().isEmpty()) {
                continue;
            }
            action->setSeparator(true);
        } else {
            QObject::connect(action, &QAction::triggered, &window,
                             [command, id = item.command] { command(id); });
            m_actions[item.command] = action;
        }
        window.addAction(action);
    }
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
}

void WindowMenu::enable(unsigned command, bool enabled) {
    if (const auto found = m_actions.find(command); found != m_actions.end()) {
        found->second->setEnabled(enabled);
    }
}

#endif

}  // namespace velmor
