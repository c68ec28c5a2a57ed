// One of our pictures, centred and clipped in a sunken frame. Each comes in two sizes, name.png
// and name@2x.png; where a pixel of ours covers more than one pixel of the screen the large one
// is drawn, so the picture stays sharp. pixmap() is the small one, the picture's own size.
#pragma once

#include <QLabel>
#include <QPixmap>

namespace velmor {

class Picture : public QLabel {
    Q_OBJECT

public:
    Picture(const QString& resource, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Read the first time a screen needs it, not at start-up.
    const QPixmap& large();

    QString m_largeName;
    QPixmap m_large;
};

}  // namespace velmor
