// A digits-only field with up and down arrows at its left edge. It holds any run of digits, even
// one above its range, as a Windows edit with a spin beside it does; the arrows and the Up and
// Down keys step the number within the range, never wrapping and never writing thousands
// separators.
#pragma once

#include <QAbstractSpinBox>
#include <cstdint>

namespace velmor {

class NumberField : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit NumberField(QWidget* parent = nullptr);

    // Without a range the arrows do nothing.
    void setRange(std::int64_t lowest, std::int64_t highest);

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
    // The number the arrows start from: the text's, held inside the range.
    std::int64_t position() const;

    bool m_hasRange = false;
    std::int64_t m_lowest = 0;
    std::int64_t m_highest = 0;
};

}  // namespace velmor
