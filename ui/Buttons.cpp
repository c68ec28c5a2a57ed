#include "ui/Buttons.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace velmor {

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect textArea =
        style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 0, -2, 0);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    painter.drawItemText(textArea, flags, palette(), isEnabled(), text(), QPalette::ButtonText);
}

}  // namespace velmor
