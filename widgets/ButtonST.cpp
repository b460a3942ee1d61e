#include "widgets/ButtonST.h"

#include <QApplication>
#include <QEnterEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QIcon>
#include <QMouseEvent>
#include <QStringList>
#include <QToolTip>

#include <algorithm>

namespace ledgra {
namespace {

// The pictures of the program are drawn at twice the size they take on screen.
constexpr qreal kResourcePixelRatio = 2.0;
constexpr int kTipMaxWidth = 400;

// Pixels darker than this are the parts of a picture that stay visible, embossed, when the
// button is disabled; lighter ones vanish into the background as paper does.
constexpr int kDisabledShapeLimit = 224;

}  // namespace

CButtonST::CButtonST(QWidget* parent) : QAbstractButton(parent) {
    // A click does not take the focus away from where the user works; Tab still reaches it.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    ReadColours();
}

int CButtonST::SetPicture(int pictureId, const QColor& transparent) {
    QImage picture(QStringLiteral(":/pictures/%1.png").arg(pictureId));
    picture.setDevicePixelRatio(kResourcePixelRatio);
    return SetPicture(picture, transparent);
}

int CButtonST::SetPicture(const QImage& picture, const QColor& transparent) {
    m_picture = QPixmap();
    m_shape = QBitmap();
    setIcon(QIcon());
    update();
    if (picture.isNull()) return 1;

    // The mask: every opaque pixel of the transparent colour lets the background through.
    QImage masked = picture.convertToFormat(QImage::Format_ARGB32);
    QImage shape(picture.size(), QImage::Format_MonoLSB);
    if (masked.isNull() || shape.isNull()) return 2;
    shape.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});  // 1 is a set pixel
    shape.fill(0);
    const QRgb clear = transparent.rgb() & RGB_MASK;
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if (qAlpha(line[x]) == 255 && (line[x] & RGB_MASK) == clear) line[x] = 0;
            if (qAlpha(line[x]) >= 128 && qGray(line[x]) < kDisabledShapeLimit) {
                shape.setPixel(x, y, 1);
            }
        }
    }
    m_picture = QPixmap::fromImage(masked);
    m_shape = QBitmap::fromImage(shape);
    m_picture.setDevicePixelRatio(picture.devicePixelRatio());
    m_shape.setDevicePixelRatio(picture.devicePixelRatio());
    // The icon names the picture for accessibility and for code that asks the button for it.
    setIcon(QIcon(m_picture));
    return 0;
}

int CButtonST::SetLayout(int alignment, bool repaint) {
    if (alignment < ImageLeft || alignment > ImageOver) return 4;
    m_nAlign = alignment;
    if (repaint) update();
    return 0;
}

void CButtonST::SetTip(const QString& text, bool activate) {
    m_bTipActive = activate;
    setToolTip(WrapTipText(text, QFontMetrics(QToolTip::font()), kTipMaxWidth));
}

void CButtonST::SetFlat(bool flat) {
    m_bIsFlat = flat;
    update();
}

void CButtonST::SetDefault(bool isDefault) {
    m_bIsDefault = isDefault;
    update();
}

void CButtonST::SetFlatFocus(bool drawFlatFocus) {
    m_bDrawFlatFocus = drawFlatFocus;
    update();
}

QSize CButtonST::PictureSize() const {
    return m_picture.isNull() ? QSize() : m_picture.deviceIndependentSize().toSize();
}

QSize CButtonST::sizeHint() const {
    const QSize picture = PictureSize();
    const QSize caption = fontMetrics().size(0, text());
    const int gapX = m_ptImageOrg.x();
    const int gapY = m_ptImageOrg.y();
    if (m_nAlign == ImageAbove) {
        return {std::max(picture.width(), caption.width()) + 2 * gapX,
                gapY + picture.height() + caption.height() + gapY};
    }
    return {gapX + picture.width() + gapX + caption.width() + gapX,
            std::max(picture.height(), caption.height()) + 2 * gapY};
}

void CButtonST::SetHover(bool hover) {
    if (m_bMouseOnButton == hover) return;
    m_bMouseOnButton = hover;
    update();
}

void CButtonST::mouseMoveEvent(QMouseEvent* event) {
    QAbstractButton::mouseMoveEvent(event);
    if (!m_bIsFlat) return;
    if (!(event->buttons() & Qt::LeftButton) || m_bMouseOnButton) {
        const bool over = rect().contains(event->position().toPoint()) &&
                          (m_bAlwaysTrack || QApplication::activeWindow() != nullptr);
        SetHover(over);
    }
}

void CButtonST::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    if (m_bIsFlat && !(QApplication::mouseButtons() & Qt::LeftButton) &&
        (m_bAlwaysTrack || QApplication::activeWindow() != nullptr)) {
        SetHover(true);
    }
}

void CButtonST::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    SetHover(false);
}

void CButtonST::focusInEvent(QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    m_bKeyboardFocus = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                       reason == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(event);
}

void CButtonST::focusOutEvent(QFocusEvent* event) {
    m_bKeyboardFocus = false;
    QAbstractButton::focusOutEvent(event);
    SetHover(false);
}

void CButtonST::changeEvent(QEvent* event) {
    QAbstractButton::changeEvent(event);
    switch (event->type()) {
        case QEvent::ActivationChange:
            if (!isActiveWindow()) SetHover(false);
            break;
        case QEvent::EnabledChange:
            // Qt itself passes the focus of a disabled widget on to the next one.
            if (!isEnabled()) SetHover(false);
            break;
        case QEvent::PaletteChange:
            ReadColours();
            update();
            break;
        default:
            break;
    }
}

bool CButtonST::event(QEvent* event) {
    // An inactive tooltip keeps its text but shows nothing.
    if (event->type() == QEvent::ToolTip && !m_bTipActive) {
        event->ignore();
        return true;
    }
    return QAbstractButton::event(event);
}

void CButtonST::ReadColours() {
    const QPalette& colours = palette();
    m_crInBack = m_crFocusBack = m_crOutBack = colours.color(QPalette::Button);
    m_crInFore = m_crFocusFore = m_crOutFore = colours.color(QPalette::ButtonText);
}

QString WrapTipText(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '))) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > maxWidth) {
                lines.append(line);
                line = word;
            } else {
                line = longer;
            }
        }
        lines.append(line);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace ledgra
