// Dialog units, as Windows converts them to pixels with the dialog's font: a horizontal unit is a
// quarter of the font's average letter width, a vertical unit an eighth of its height.
#pragma once

#include <QFont>
#include <QRect>

namespace velmor {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;

private:
    int m_baseX;
    int m_baseY;
};

}  // namespace velmor
