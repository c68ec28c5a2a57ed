#include "ui/NumberField.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

#include "party/NumberText.h"

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

void NumberField::setRange(std::int64_t lowest, std::int64_t highest) {
    m_hasRange = true;
    m_lowest = lowest;
    m_highest = highest;
}

void NumberField::setText(const QString& text) {
    lineEdit()->setText(text);
}

void NumberField::setLowestBelowRange(std::int64_t lowest) {
    m_lowestBelowRange = lowest;
}

std::int64_t NumberField::lowestFrom(std::int64_t value) const {
    return value < m_lowest ? std::min(m_lowestBelowRange, m_lowest) : m_lowest;
}

std::int64_t NumberField::position() const {
    const auto parsed = ParseSigned(text().toStdString());
    const std::int64_t value = parsed ? *parsed : m_lowest;
    return std::clamp(value, lowestFrom(value), m_highest);
}

void NumberField::stepBy(int steps) {
    if (!m_hasRange) {
        return;
    }
    const std::int64_t from = position();
    setText(QString::number(std::clamp(from + steps, lowestFrom(from), m_highest)));
}

QAbstractSpinBox::StepEnabled NumberField::stepEnabled() const {
    if (!m_hasRange || !isEnabled() || isReadOnly()) {
        return StepNone;
    }
    const std::int64_t value = position();
    StepEnabled enabled = StepNone;
    if (value < m_highest) {
        enabled |= StepUpEnabled;
    }
    if (value > lowestFrom(value)) {
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
