#include "widgets/DialogUnits.h"

#include <QFontMetrics>
#include <QString>

namespace ledgra {
namespace {

// Rounded as the classic integer multiply-then-divide does.
int MulDiv(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 Latin letters, rounded.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseWidth = (letters / 26 + 1) / 2;
    m_baseHeight = metrics.height();
}

int DialogUnits::X(int units) const {
    return MulDiv(units, m_baseWidth, 4);
}

int DialogUnits::Y(int units) const {
    return MulDiv(units, m_baseHeight, 8);
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    // The edges are mapped, not the extent, so that neighbouring controls meet as designed.
    return {X(x), Y(y), X(x + width) - X(x), Y(y + height) - Y(y)};
}

QSize DialogUnits::Size(int width, int height) const {
    return {X(width), Y(height)};
}

}  // namespace ledgra
