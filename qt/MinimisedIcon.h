// Where the icon of a minimised window is drawn: centred, in signed arithmetic whose division
// rounds toward zero, so that a client area smaller than the icon puts it at, say, (-15, -15).
#pragma once

#include <QPoint>
#include <QSize>

namespace velmor {

inline QPoint CentredIconPosition(QSize client, QSize icon) {
    return {(client.width() - icon.width() + 1) / 2, (client.height() - icon.height() + 1) / 2};
}

}  // namespace velmor
