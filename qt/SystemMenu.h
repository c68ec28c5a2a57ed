// The window's own menu: the window manager owns the title bar, and no protocol lets a program add
// to its menu, so the items are the window's context menu. A choice reaches `command` with the
// item's command.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <span>

#include "editor/EditorWindow.h"

class QAction;

namespace velmor {

class WindowMenu {
public:
    WindowMenu(QWidget& window, std::span<const MenuItem> items,
               const std::function<void(unsigned)>& command);

    void enable(unsigned command, bool enabled);

private:
    std::map<unsigned, QAction*> m_actions;  // owned by the window
};

}  // namespace velmor
