#include "qt/DialogUnits.h"

#include <QFontMetrics>
#include <algorithm>

namespace velmor {
namespace {

// a * b / c, rounded to the nearest whole number, as Windows' MulDiv does for these positive
// values.
int MulDiv(int a, int b, int c) {
    return (a * b + c / 2) / c;
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    // A machine without fonts measures nothing; the dialog must still have a size.
    m_baseX = std::max(1, (metrics.horizontalAdvance(letters) / 26 + 1) / 2);
    m_baseY = std::max(1, metrics.height());
}

int DialogUnits::x(int units) const {
    return MulDiv(units, m_baseX, 4);
}

int DialogUnits::y(int units) const {
    return MulDiv(units, m_baseY, 8);
}

QRect DialogUnits::rect(int left, int top, int width, int height) const {
    return {x(left), y(top), x(width), y(height)};
}

}  // namespace velmor
