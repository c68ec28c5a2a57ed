#include "qt/Picture.h"

#include <QPainter>
#include <QStyle>
#include <utility>

namespace velmor {
namespace {

QString LargeVersion(QString resource) {
    return resource.insert(resource.lastIndexOf(u'.'), QStringLiteral("@2x"));
}

}  // namespace

Picture::Picture(const QString& resource, QWidget* parent)
    : QLabel(parent), m_largeName(LargeVersion(resource)) {
    setPixmap(QPixmap(resource));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void Picture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect();
    const QRect at = QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, pixmap().size(), area);
    // The painter's scale is the screen's pixels per pixel of ours, or that of the image that
    // the picture is drawn into.
    const bool sharper = painter.deviceTransform().m11() > 1.0 && !large().isNull();
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(at, sharper ? large() : pixmap());
}

const QPixmap& Picture::large() {
    if (m_large.isNull() && !m_largeName.isEmpty()) {
        m_large = QPixmap(std::exchange(m_largeName, QString()));
    }
    return m_large;
}

}  // namespace velmor
