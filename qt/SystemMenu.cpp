#include "qt/SystemMenu.h"

#include <QAction>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace velmor {

#ifdef Q_OS_WIN

// Windows sends the choice to the window as WM_SYSCOMMAND, which the window's nativeEvent passes
// on; `command` is not needed here.
void AppendAboutItem(QWidget& window, const QString& text, unsigned commandId,
                     const std::function<void(unsigned)>&) {
    HMENU menu = ::GetSystemMenu(reinterpret_cast<HWND>(window.winId()), FALSE);
    if (menu == nullptr || text.isEmpty()) {
        return;
    }
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, commandId, reinterpret_cast<const wchar_t*>(text.utf16()));
}

#else

// The window's context menu holds the About item alone. Unlike the end of the system menu, it
// has nothing above the item for a separator to part it from.
void AppendAboutItem(QWidget& window, const QString& text, unsigned commandId,
                     const std::function<void(unsigned)>& command) {
    if (text.isEmpty()) {
        return;
    }
    auto* about = new QAction(text, &window);
    QObject::connect(about, &QAction::triggered, &window,
                     [command, commandId] { command(commandId); });
    window.addAction(about);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
}

#endif

}  // namespace velmor
