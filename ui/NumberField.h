// A digits-only field with up and down arrows at its left edge. It holds any run of digits, even
// one above its range, as a Windows edit with a spin beside it does; the arrows and the Up and
// Down keys step the number within the range, never wrapping and never writing thousands
// separators.
#pragma once

#include <QAbstractSpinBox>
#include <cstdint>
#include <limits>

namespace velmor {

class NumberField : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit NumberField(QWidget* parent = nullptr);

    // Without a range the arrows do nothing.
    void setRange(std::int64_t lowest, std::int64_t highest);

    // A number below the range, down to `lowest`, is stepped by one as it stands instead of
    // jumping into the range; Down stops at `lowest`. A skill level read from the saved game can
    // be below zero.
    void setLowestBelowRange(std::int64_t lowest);

    void setText(const QString& text);

    void stepBy(int steps) override;

signals:
    // Every change of the text: typed, stepped or set.
    void textChanged(const QString& text);

protected:
    QValidator::State validate(QString& input, int& position) const override;
    StepEnabled stepEnabled() const override;
    // Page Up, Page Down and the wheel do nothing, as on Windows.
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    // The number the arrows start from: the text's, held inside the range, or inside what is
    // kept below it.
    std::int64_t position() const;
    // The lowest number that the arrows reach from `value`.
    std::int64_t lowestFrom(std::int64_t value) const;

    bool m_hasRange = false;
    std::int64_t m_lowest = 0;
    std::int64_t m_highest = 0;
    std::int64_t m_lowestBelowRange = std::numeric_limits<std::int64_t>::max();
};

}  // namespace velmor
