#include "qt/NumberField.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace velmor {

NumberField::NumberField(QWidget* parent) : QAbstractSpinBox(parent) {
    // The arrows sit against the field's left edge and the text follows them. A right-to-left
    // spin box puts them there; its text still reads left to right.
    setLayoutDirection(Qt::RightToLeft);
    lineEdit()->setLayoutDirection(Qt::LeftToRight);
    setKeyboardTracking(true);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    connect(lineEdit(), &QLineEdit::textChanged, this, &NumberField::textChanged);
}

void NumberField::setText(const QString& text) {
    lineEdit()->setText(text);
}

std::optional<std::int64_t> NumberField::stepped(int steps) const {
    if (!m_arrows) {
        return std::nullopt;
    }
    return Stepped(text().toStdString(), steps, *m_arrows);
}

void NumberField::stepBy(int steps) {
    if (const auto to = stepped(steps)) {
        setText(QString::number(*to));
    }
}

QAbstractSpinBox::StepEnabled NumberField::stepEnabled() const {
    if (!isEnabled() || isReadOnly()) {
        return StepNone;
    }
    StepEnabled enabled = StepNone;
    if (stepped(1)) {
        enabled |= StepUpEnabled;
    }
    if (stepped(-1)) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}

QValidator::State NumberField::validate(QString& input, int&) const {
    // No minus sign can be typed. One can only come with a skill level read from the saved game,
    // and the digits after it must stay editable.
    const bool keepsMinus = input.startsWith(u'-') && text().startsWith(u'-');
    const QStringView digits = QStringView(input).mid(keepsMinus ? 1 : 0);
    if (digits.isEmpty()) {
        return QValidator::Intermediate;
    }
    const bool digitsOnly =
        std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digitsOnly ? QValidator::Acceptable : QValidator::Invalid;
}

void NumberField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        event->ignore();
        return;
    }
    QAbstractSpinBox::keyPressEvent(event);
}

void NumberField::wheelEvent(QWheelEvent* event) {
    event->ignore();
}

}  // namespace velmor
