#include "qt/StatusLine.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace velmor {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QRect StatusLine::textArea() const {
    const int indent = fontMetrics().horizontalAdvance(u'x') / 2;
    return contentsRect().adjusted(indent, 0, -indent, 0);
}

QString StatusLine::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, textArea().width());
}

bool StatusLine::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        if (shownText() != text()) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QLabel::event(event);
}

void StatusLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The path reads left to right, also when Qt runs right to left.
    painter.setLayoutDirection(layoutDirection());
    drawFrame(&painter);
    style()->drawItemText(&painter, textArea(), static_cast<int>(alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

}  // namespace velmor
