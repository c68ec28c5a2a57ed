#include "qt/Buttons.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace velmor {

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    // "Game..." keeps its dots at the end, also when Qt runs right to left.
    painter.setLayoutDirection(layoutDirection());
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect textArea =
        style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(2, 0, -2, 0);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    painter.drawItemText(textArea, flags, palette(), isEnabled(), text(), QPalette::ButtonText);
}

FlatButton::FlatButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    setCheckable(true);
    setFlat(true);
    setAttribute(Qt::WA_Hover);  // repaint as the pointer comes and goes
}

void FlatButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const bool focused = option.state & QStyle::State_HasFocus;
    if (focused || option.state & QStyle::State_MouseOver) {
        option.features &= ~QStyleOptionButton::Flat;
    }
    // The focus is outlined below, also when a click gave it, which the style would not show.
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_PushButton, option);
    if (focused) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        focus.state |= QStyle::State_KeyboardFocusChange;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace velmor
