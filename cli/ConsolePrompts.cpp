#include "cli/ConsolePrompts.h"

namespace velmor::cli {

MessageAnswer ConsolePrompts::showMessage(std::string_view text, std::string_view,
                                          MessageStyle style) {
    if (style == MessageStyle::yesNo) {
        return MessageAnswer::yes;
    }
    m_shown.emplace_back(text);
    m_errors << text << '\n';
    return MessageAnswer::ok;
}

}  // namespace velmor::cli
