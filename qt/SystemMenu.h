// The About item on the window's own menu. On Windows that is the system menu; where the window
// manager owns the title bar and no protocol lets a program add to its menu, it is the window's
// context menu. Either way a choice reaches `command` with the item's command ID.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace velmor {

void AppendAboutItem(QWidget& window, const QString& text, unsigned commandId,
                     const std::function<void(unsigned)>& command);

}  // namespace velmor
