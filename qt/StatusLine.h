// The status line: one line of text in a sunken panel. A text too long for it is shortened in its
// middle, so that both its start and the file name at its end stay in sight; text() stays the
// whole text, which the tooltip shows.
#pragma once

#include <QLabel>

namespace velmor {

class StatusLine : public QLabel {
    Q_OBJECT

public:
    explicit StatusLine(QWidget* parent = nullptr);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textArea() const;
    QString shownText() const;
};

}  // namespace velmor
