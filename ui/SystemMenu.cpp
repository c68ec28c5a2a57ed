#include "ui/SystemMenu.h"

#include <QAction>
#include <QMenu>
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

// The menu that Qt's context-menu policy opens would drop the separator, as Qt drops a separator
// at the top of any menu. This one keeps it, a little below the menu's frame so that it shows as a
// line of its own, and the item looks as it does at the end of the system menu.
void AppendAboutItem(QWidget& window, const QString& text, unsigned commandId,
                     const std::function<void(unsigned)>& command) {
    if (text.isEmpty()) {
        return;
    }
    auto* separator = new QAction(&window);
    separator->setSeparator(true);
    window.addAction(separator);
    auto* about = new QAction(text, &window);
    QObject::connect(about, &QAction::triggered, &window,
                     [command, commandId] { command(commandId); });
    window.addAction(about);

    window.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&window, &QWidget::customContextMenuRequested, &window,
                     [&window](const QPoint& at) {
                         QMenu menu(&window);
                         menu.setSeparatorsCollapsible(false);
                         menu.setContentsMargins(0, menu.fontMetrics().height() / 4, 0, 0);
                         menu.addActions(window.actions());
                         menu.exec(window.mapToGlobal(at));
                     });
}

#endif

}  // namespace velmor
