// Texts from the saved game, which keeps them in the Western Windows code page, for display.
#pragma once

#include <QString>
#include <string_view>

#include "party/Windows1252.h"

namespace velmor {

inline QString FromGameText(std::string_view bytes) {
    return QString::fromStdString(Windows1252ToUtf8(bytes));
}

}  // namespace velmor
