// A digits-only field with up and down arrows at its left edge. It holds any run of digits, even
// one above its range, as a Windows edit with a spin beside it does; the arrows and the Up and
// Down keys step the number as the editor's ArrowRange says, never wrapping and never writing
// thousands separators.
#pragma once

#include <QAbstractSpinBox>
#include <optional>

#include "editor/ArrowSteps.h"

namespace velmor {

class NumberField : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit NumberField(QWidget* parent = nullptr);

    // Without a range the arrows do nothing.
    void setArrows(const ArrowRange& range) { m_arrows = range; }

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
    std::optional<std::int64_t> stepped(int steps) const;

    std::optional<ArrowRange> m_arrows;
};

}  // namespace velmor
