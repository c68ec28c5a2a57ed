#include "qt/SystemMenu.h"

#include <QAction>

#include "qt/Utf8Text.h"

namespace velmor {

// The context menu has nothing above the first item for a separator to part it from.
WindowMenu::WindowMenu(QWidget& window, std::span<const MenuItem> items,
                       const std::function<void(unsigned)>& command) {
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

}  // namespace velmor
