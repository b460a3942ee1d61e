// How a CButtonST draws itself: background, edge, picture, caption and focus, in that order.

#include <QPainter>
#include <QPen>

#include "widgets/ButtonST.h"

namespace ledgra {
namespace {

// A one-pixel edge: the top and left lines in one colour, the bottom and right in another.
void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
                const QColor& bottomRight) {
    const int x = rect.x();
    const int y = rect.y();
    const int cx = rect.width();
    const int cy = rect.height();
    painter.fillRect(x, y, cx - 1, 1, topLeft);
    painter.fillRect(x, y, 1, cy - 1, topLeft);
    painter.fillRect(x + cx - 1, y, 1, cy, bottomRight);
    painter.fillRect(x, y + cy - 1, cx, 1, bottomRight);
}

// The desktop's edge colours: highlight, light, shadow and dark shadow.
QColor Highlight(const QPalette& colours) {
    return colours.color(QPalette::Light);
}
QColor Light(const QPalette& colours) {
    return colours.color(QPalette::Midlight);
}
QColor Shadow(const QPalette& colours) {
    return colours.color(QPalette::Dark);
}
QColor DarkShadow(const QPalette& colours) {
    return colours.color(QPalette::Shadow);
}

constexpr int kCaptionFlags = Qt::TextWordWrap | Qt::AlignHCenter;
constexpr int kFocusInset = 3;

}  // namespace

QColor CButtonST::Background() const {
    if (isDown() || m_bMouseOnButton) return m_crInBack;
    return hasFocus() ? m_crFocusBack : m_crOutBack;
}

QColor CButtonST::Foreground() const {
    if (isDown() || m_bMouseOnButton) return m_crInFore;
    return hasFocus() ? m_crFocusFore : m_crOutFore;
}

void CButtonST::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect button = ButtonRect();
    DrawBackground(painter, button);
    DrawBorder(painter, button);
    QRect picture = button;
    QRect caption = button;
    LayOut(picture, caption);
    if (!m_picture.isNull()) DrawPicture(painter, picture);
    if (!text().isEmpty()) DrawCaption(painter, caption);

    if ((!m_bIsFlat || m_bDrawFlatFocus || m_bKeyboardFocus) && hasFocus()) {
        // A dotted rectangle, drawn whenever the button has the focus (the desktop style's
        // own focus frame hides itself after mouse clicks); a flat button draws it when asked
        // to or when the keyboard brought the focus.
        painter.setPen(QPen(Foreground(), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            rect().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
    }
}

QRect CButtonST::ButtonRect() const {
    // A raised button that has the focus or is the default one wears a black frame.
    if (!m_bIsFlat && (hasFocus() || m_bIsDefault)) return rect().adjusted(1, 1, -1, -1);
    return rect();
}

void CButtonST::DrawBackground(QPainter& painter, const QRect& rect) const {
    if (rect != this->rect()) Draw3dRect(painter, this->rect(), Qt::black, Qt::black);
    painter.fillRect(rect, Background());
}

void CButtonST::DrawBorder(QPainter& painter, const QRect& rect) const {
    const QPalette& colours = palette();
    if (isDown()) {
        if (!m_bIsFlat) {
            Draw3dRect(painter, rect, Shadow(colours), Shadow(colours));
        } else if (m_bDrawBorder) {
            Draw3dRect(painter, rect, Shadow(colours), Highlight(colours));
        }
    } else if (!m_bIsFlat) {
        Draw3dRect(painter, rect, Highlight(colours), DarkShadow(colours));
        Draw3dRect(painter, rect.adjusted(1, 1, -1, -1), Light(colours), Shadow(colours));
    } else if (m_bMouseOnButton && m_bDrawBorder) {
        Draw3dRect(painter, rect, Highlight(colours), Shadow(colours));
    }
}

QRect CButtonST::PictureRect() const {
    QRect picture = ButtonRect();
    QRect caption = picture;
    LayOut(picture, caption);
    return picture;
}

QRect CButtonST::CaptionRect() const {
    QRect picture = ButtonRect();
    QRect caption = picture;
    LayOut(picture, caption);
    return caption;
}

void CButtonST::LayOut(QRect& picture, QRect& caption) const {
    const QRect button = picture;
    const QSize size = PictureSize();
    const int w = size.width();
    const int h = size.height();
    const bool hasCaption = !text().isEmpty();
    const int centredX = button.left() + (button.width() - w) / 2;
    const int centredY = button.top() + (button.height() - h) / 2;
    int left = centredX;
    int top = centredY;
    switch (m_nAlign) {
        case ImageLeft:
            if (hasCaption) {
                left = button.left() + m_ptImageOrg.x();
                caption.setLeft(caption.left() + w + m_ptImageOrg.x());
            }
            break;
        case ImageAbove:
            if (hasCaption) {
                top = button.top() + m_ptImageOrg.y();
                caption.setTop(caption.top() + h);
            }
            break;
        case ImageRight:
            if (hasCaption) {
                left = button.right() + 1 - w - m_ptImageOrg.x();
                caption.setRight(caption.right() - w - m_ptImageOrg.x());
            }
            break;
        default:  // the picture under the caption, both centred
            break;
    }
    picture = QRect(left, top, w, h);
    if (isDown()) {
        picture.translate(m_ptPressedOffset);
        caption.translate(m_ptPressedOffset);
    }
}

void CButtonST::DrawPicture(QPainter& painter, const QRect& rect) const {
    if (!isEnabled() && m_bShowDisabledBitmap) {
        // Embossed: the shape in the highlight colour one pixel down-right, then in shadow.
        const QPalette& colours = palette();
        painter.setPen(Highlight(colours));
        painter.drawPixmap(rect.topLeft() + QPoint(1, 1), m_shape);
        painter.setPen(Shadow(colours));
        painter.drawPixmap(rect.topLeft(), m_shape);
        return;
    }
    painter.drawPixmap(rect.topLeft(), m_picture);
}

void CButtonST::DrawCaption(QPainter& painter, QRect rect) const {
    const QRect measured = painter.fontMetrics().boundingRect(
        QRect(0, 0, rect.width(), std::max(rect.height(), 1)), kCaptionFlags, text());
    const QRect box(rect.left() + (rect.width() - measured.width()) / 2,
                    rect.top() + (rect.height() - measured.height()) / 2, measured.width(),
                    measured.height());
    if (!isEnabled()) {
        const QPalette& colours = palette();
        painter.setPen(Highlight(colours));
        painter.drawText(box.translated(1, 1), kCaptionFlags, text());
        painter.setPen(Shadow(colours));
        painter.drawText(box, kCaptionFlags, text());
        return;
    }
    painter.setPen(Foreground());
    painter.drawText(box, kCaptionFlags, text());
}

}  // namespace ledgra
