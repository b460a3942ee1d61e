#pragma once
// A push button drawn by hand: a picture and a caption, flat until the mouse is over it, with
// a raised edge while hovered, a sunken edge and a one-pixel shift while pressed, and a tooltip.
// Its colours follow the desktop palette and change with it. A double click counts as a second
// press, as Qt's buttons do by default.

#include <QAbstractButton>
#include <QBitmap>
#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QString>

namespace ledgra {

class CButtonST : public QAbstractButton {
    Q_OBJECT

public:
    // Where the picture sits relative to the caption.
    enum Alignment { ImageLeft = 0, ImageAbove = 1, ImageRight = 2, ImageOver = 3 };

    explicit CButtonST(QWidget* parent = nullptr);

    // Loads the picture of a resource id (":/pictures/<id>.png") and makes the pixels of the
    // transparent colour show the background. 0 on success, 1 when the picture cannot be read,
    // 2 when its mask cannot be made (the picture is then dropped).
    int SetPicture(int pictureId, const QColor& transparent);
    // The same for a picture in hand, drawn at its own device pixel ratio.
    int SetPicture(const QImage& picture, const QColor& transparent);
    // 0 to 3; a larger value returns 4 and changes nothing.
    int SetLayout(int alignment, bool repaint = true);
    // Sets the tooltip's text (lines kept within 400 pixels) and shows it or keeps it silent.
    void SetTip(const QString& text, bool activate);
    void SetFlat(bool flat);
    void SetDefault(bool isDefault);
    void SetFlatFocus(bool drawFlatFocus);

    bool IsHovered() const { return m_bMouseOnButton; }
    int Alignment() const { return m_nAlign; }
    // The picture's size on screen; empty without a picture.
    QSize PictureSize() const;
    // The button's drawn rectangles for its current state, in widget coordinates.
    QRect PictureRect() const;
    QRect CaptionRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void SetHover(bool hover);
    void ReadColours();
    QRect ButtonRect() const;
    // `picture` comes in as the button's rectangle and `caption` as a copy of it.
    void LayOut(QRect& picture, QRect& caption) const;
    void DrawBackground(QPainter& painter, const QRect& rect) const;
    void DrawBorder(QPainter& painter, const QRect& rect) const;
    void DrawPicture(QPainter& painter, const QRect& rect) const;
    void DrawCaption(QPainter& painter, QRect rect) const;
    QColor Background() const;
    QColor Foreground() const;

    bool m_bIsFlat = true;
    bool m_bDrawBorder = true;
    bool m_bDrawFlatFocus = false;
    // The focus came from the keyboard (Tab, Shift+Tab, a mnemonic): the focus rectangle then
    // shows on a flat button too, so that the user sees where Tab went.
    bool m_bKeyboardFocus = false;
    bool m_bAlwaysTrack = true;
    int m_nAlign = ImageLeft;
    QPoint m_ptImageOrg{3, 3};
    QPoint m_ptPressedOffset{1, 1};
    bool m_bIsDefault = false;
    bool m_bMouseOnButton = false;
    bool m_bShowDisabledBitmap = true;

    // Backgrounds and foregrounds while hovered or pressed, while focused, and otherwise.
    QColor m_crInBack, m_crInFore, m_crFocusBack, m_crFocusFore, m_crOutBack, m_crOutFore;

    QPixmap m_picture;  // the picture with its transparent pixels cleared
    QBitmap m_shape;    // its dark pixels, embossed when the button is disabled

    bool m_bTipActive = false;
};

// The tooltip's text with line breaks between words, so that no line is wider than `maxWidth`
// pixels in `metrics` (a single wider word keeps a line of its own).
QString WrapTipText(const QString& text, const QFontMetrics& metrics, int maxWidth);

}  // namespace ledgra
