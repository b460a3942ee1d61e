#pragma once
// Dialog templates measure in dialog units: a quarter of the font's average character width
// across and an eighth of its height down, so a dialog keeps its proportions with its font.

#include <QFont>
#include <QRect>
#include <QSize>

namespace ledgra {

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    QRect Rect(int x, int y, int width, int height) const;
    QSize Size(int width, int height) const;
    int BaseWidth() const { return m_baseWidth; }
    int BaseHeight() const { return m_baseHeight; }

private:
    int X(int units) const;
    int Y(int units) const;

    int m_baseWidth;
    int m_baseHeight;
};

}  // namespace ledgra
