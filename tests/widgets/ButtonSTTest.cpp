#include "widgets/ButtonST.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <gtest/gtest.h>

#include <functional>

#include "tests/widgets/QtTestApplication.h"

namespace ledgra {
namespace {

[[maybe_unused]] ::testing::Environment* const kQtApplication = testing::AddQtTestApplication();

// Colours nobody else draws with, so every pixel says which step painted it.
const QColor kFace(192, 192, 192);
const QColor kText(16, 32, 48);
const QColor kHighlight(250, 250, 0);
const QColor kLight(0, 250, 250);
const QColor kShadow(250, 0, 250);
const QColor kDarkShadow(0, 0, 250);
const QColor kRed(255, 0, 0);
const QColor kTransparent(0, 255, 0);

constexpr QSize kButtonSize(60, 50);
const QPoint kInside(30, 25);

// 8 by 6 pixels: the left half red, the right half in the transparent colour.
QImage HalfRedPicture() {
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(kTransparent);
    QPainter(&picture).fillRect(0, 0, 4, 6, kRed);
    return picture;
}

class ButtonSTTest : public ::testing::Test {
protected:
    ButtonSTTest() {
        QPalette colours = m_button.palette();
        colours.setColor(QPalette::Button, kFace);
        colours.setColor(QPalette::ButtonText, kText);
        colours.setColor(QPalette::Light, kHighlight);
        colours.setColor(QPalette::Midlight, kLight);
        colours.setColor(QPalette::Dark, kShadow);
        colours.setColor(QPalette::Shadow, kDarkShadow);
        m_button.setPalette(colours);
        m_button.resize(kButtonSize);
    }

    QImage Shot() { return m_button.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QColor Pixel(QPoint at) { return Shot().pixelColor(at); }
    void MoveMouse(QPoint at, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, at, m_button.mapToGlobal(at), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&m_button, &move);
    }
    void Send(QEvent::Type type, QPoint at = kInside) {
        QMouseEvent event(type, at, m_button.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&m_button, &event);
    }

    CButtonST m_button;
};

struct EdgeRow {
    const char* name;
    bool flat;
    bool hovered;
    bool pressed;
    bool isDefault;
    QColor topLeft, inner, bottomRight;  // at (0, 0), (1, 1) and the last pixel
};

TEST_F(ButtonSTTest, EdgesFollowTheLookAndTheState) {
    const EdgeRow rows[] = {
        {"flat, mouse outside: no edge", true, false, false, false, kFace, kFace, kFace},
        {"flat, hovered: raised edge", true, true, false, false, kHighlight, kFace, kShadow},
        {"flat, pressed: sunken edge", true, true, true, false, kShadow, kFace, kHighlight},
        {"raised: two lines each side", false, false, false, false, kHighlight, kLight,
         kDarkShadow},
        {"raised, pressed: shadow frame", false, false, true, false, kShadow, kFace, kShadow},
        {"raised default: black frame", false, false, false, true, Qt::black, kHighlight,
         Qt::black},
    };
    for (const EdgeRow& row : rows) {
        m_button.SetFlat(row.flat);
        m_button.SetDefault(row.isDefault);
        MoveMouse(row.hovered ? kInside : QPoint(-5, -5));
        m_button.setDown(row.pressed);
        const QImage shot = Shot();
        EXPECT_EQ(shot.pixelColor(0, 0), row.topLeft) << row.name;
        EXPECT_EQ(shot.pixelColor(1, 1), row.inner) << row.name;
        EXPECT_EQ(shot.pixelColor(59, 49), row.bottomRight) << row.name;
        EXPECT_EQ(shot.pixelColor(kInside), kFace) << row.name;
    }
}

TEST_F(ButtonSTTest, HoverEndsWhenTheMouseOrTheWindowLetsGo) {
    const std::pair<const char*, std::function<void()>> endings[] = {
        {"mouse leaves",
         [&] {
             QEvent leave(QEvent::Leave);
             QCoreApplication::sendEvent(&m_button, &leave);
         }},
        {"mouse moves outside",
         [&] {
             MoveMouse({70, 25});
         }},
        {"focus lost",
         [&] {
             QFocusEvent out(QEvent::FocusOut);
             QCoreApplication::sendEvent(&m_button, &out);
         }},
        {"window deactivated",
         [&] {
             QEvent deactivated(QEvent::ActivationChange);
             QCoreApplication::sendEvent(&m_button, &deactivated);
         }},
        {"button disabled", [&] { m_button.setEnabled(false); }},
    };
    for (const auto& [name, end] : endings) {
        m_button.setEnabled(true);
        MoveMouse(kInside);
        ASSERT_TRUE(m_button.IsHovered()) << name;
        end();
        EXPECT_FALSE(m_button.IsHovered()) << name;
        EXPECT_EQ(Pixel({0, 0}), kFace) << name;
    }
}

TEST_F(ButtonSTTest, HoverIsTrackedOnlyOnFlatButtonsAndNotWhileDraggingIn) {
    MoveMouse(kInside, Qt::LeftButton);
    EXPECT_FALSE(m_button.IsHovered());
    m_button.SetFlat(false);
    MoveMouse(kInside);
    EXPECT_FALSE(m_button.IsHovered());
}

TEST_F(ButtonSTTest, PixelsOfTheTransparentColourShowTheFace) {
    ASSERT_EQ(m_button.SetPicture(HalfRedPicture(), kTransparent), 0);
    m_button.SetLayout(CButtonST::ImageAbove);
    const QRect picture = m_button.PictureRect();
    ASSERT_EQ(picture, QRect(26, 22, 8, 6));
    const QImage shot = Shot();
    EXPECT_EQ(shot.pixelColor(picture.topLeft()), kRed);
    EXPECT_EQ(shot.pixelColor(picture.topLeft() + QPoint(3, 5)), kRed);
    EXPECT_EQ(shot.pixelColor(picture.topLeft() + QPoint(4, 0)), kFace);
    EXPECT_EQ(shot.pixelColor(picture.topLeft() + QPoint(7, 5)), kFace);
    EXPECT_FALSE(m_button.icon().isNull());
}

struct LayoutRow {
    const char* name;
    int alignment;
    const char* text;
    bool pressed;
    QRect picture;
    QRect caption;
};

TEST_F(ButtonSTTest, PictureAndCaptionArePlacedByTheAlignment) {
    ASSERT_EQ(m_button.SetPicture(HalfRedPicture(), kTransparent), 0);
    const LayoutRow rows[] = {
        {"above, with caption: 3 from the top, caption below the picture's height",
         1,
         "AB",
         false,
         {26, 3, 8, 6},
         {0, 6, 60, 44}},
        {"above, without caption: centred", 1, "", false, {26, 22, 8, 6}, {0, 0, 60, 50}},
        {"above, pressed: both move by (1, 1)", 1, "AB", true, {27, 4, 8, 6}, {1, 7, 60, 44}},
        {"left, with caption: origin 3, caption after it",
         0,
         "AB",
         false,
         {3, 22, 8, 6},
         {11, 0, 49, 50}},
        {"left, without caption: centred", 0, "", false, {26, 22, 8, 6}, {0, 0, 60, 50}},
    };
    for (const LayoutRow& row : rows) {
        ASSERT_EQ(m_button.SetLayout(row.alignment), 0);
        m_button.setText(QString::fromUtf8(row.text));
        m_button.setDown(row.pressed);
        EXPECT_EQ(m_button.PictureRect(), row.picture) << row.name;
        EXPECT_EQ(m_button.CaptionRect(), row.caption) << row.name;
    }
}

// The box of the pixels the caption painted (neither face nor picture).
QRect CaptionInk(const QImage& shot, const QRect& picture) {
    QRect ink;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (picture.contains(x, y) || shot.pixelColor(x, y) == kFace) continue;
            ink = ink.united(QRect(x, y, 1, 1));
        }
    }
    return ink;
}

TEST_F(ButtonSTTest, TheCaptionIsCentredInTheSpaceBelowThePicture) {
    ASSERT_EQ(m_button.SetPicture(HalfRedPicture(), kTransparent), 0);
    m_button.SetLayout(CButtonST::ImageAbove);
    m_button.setText(QStringLiteral("AB"));
    const QRect ink = CaptionInk(Shot(), m_button.PictureRect());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.top(), 6 + 1);
    // The glyph box sits a little off its ink; centred within two pixels.
    EXPECT_NEAR(ink.center().x(), 30, 2);
    EXPECT_NEAR(ink.center().y(), 6 + 44 / 2, 3);
}

int CountNear(const QImage& shot, const QColor& colour) {
    int count = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor pixel = shot.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                    std::abs(pixel.blue() - colour.blue()) <
                40) {
                ++count;
            }
        }
    }
    return count;
}

TEST_F(ButtonSTTest, ADisabledButtonIsEmbossedInHighlightAndShadow) {
    ASSERT_EQ(m_button.SetPicture(HalfRedPicture(), kTransparent), 0);
    m_button.SetLayout(CButtonST::ImageAbove);
    m_button.setText(QStringLiteral("AB"));
    m_button.setEnabled(false);
    const QImage shot = Shot();
    const QPoint origin = m_button.PictureRect().topLeft();
    EXPECT_EQ(shot.pixelColor(origin), kShadow);
    EXPECT_EQ(shot.pixelColor(origin + QPoint(3, 5)), kShadow);
    // The highlight copy shows one pixel right of and below the shape.
    EXPECT_EQ(shot.pixelColor(origin + QPoint(4, 1)), kHighlight);
    EXPECT_EQ(shot.pixelColor(origin + QPoint(4, 0)), kFace);
    EXPECT_EQ(CountNear(shot, kRed), 0);
    EXPECT_EQ(CountNear(shot, kText), 0);
    EXPECT_GT(CountNear(shot, kShadow), 8);
}

TEST_F(ButtonSTTest, SetPictureAndSetLayoutReportBadInput) {
    ASSERT_EQ(m_button.SetPicture(HalfRedPicture(), kTransparent), 0);
    EXPECT_EQ(m_button.SetPicture(QImage(), kTransparent), 1);
    EXPECT_TRUE(m_button.PictureSize().isEmpty());
    EXPECT_TRUE(m_button.icon().isNull());
    EXPECT_EQ(m_button.SetPicture(99999, kTransparent), 1);

    EXPECT_EQ(m_button.SetLayout(CButtonST::ImageAbove), 0);
    EXPECT_EQ(m_button.SetLayout(4), 4);
    EXPECT_EQ(m_button.SetLayout(-1), 4);
    EXPECT_EQ(m_button.Alignment(), CButtonST::ImageAbove);
}

TEST_F(ButtonSTTest, APictureIsDrawnAtItsOwnPixelRatio) {
    QImage sharp = HalfRedPicture().scaled(16, 12);
    sharp.setDevicePixelRatio(2.0);
    ASSERT_EQ(m_button.SetPicture(sharp, kTransparent), 0);
    EXPECT_EQ(m_button.PictureSize(), QSize(8, 6));
}

TEST_F(ButtonSTTest, ColoursFollowThePalette) {
    QPalette colours = m_button.palette();
    colours.setColor(QPalette::Button, Qt::darkBlue);
    m_button.setPalette(colours);
    EXPECT_EQ(Pixel(kInside), QColor(Qt::darkBlue));
}

TEST_F(ButtonSTTest, ADoubleClickActsAsASinglePress) {
    int clicks = 0;
    QObject::connect(&m_button, &CButtonST::clicked, [&] { ++clicks; });
    Send(QEvent::MouseButtonPress);
    Send(QEvent::MouseButtonRelease);
    Send(QEvent::MouseButtonDblClick);
    Send(QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ButtonSTTest, TheFocusRectangleIsDrawnWhenAskedOrAfterTab) {
    m_button.show();
    m_button.activateWindow();
    m_button.setFocus(Qt::OtherFocusReason);
    for (int wait = 0; wait < 100 && !m_button.hasFocus(); ++wait) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_TRUE(m_button.hasFocus());
    const QImage flat = Shot();
    EXPECT_EQ(CountNear(flat, kText), 0);
    for (const Qt::FocusReason keyboard : {Qt::TabFocusReason, Qt::BacktabFocusReason}) {
        m_button.clearFocus();
        m_button.setFocus(keyboard);
        EXPECT_GT(CountNear(Shot(), kText), 10) << keyboard;
    }
    m_button.clearFocus();
    m_button.setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(CountNear(Shot(), kText), 0);
    m_button.SetFlatFocus(true);
    const QImage withFocus = Shot();
    // Three pixels inside the edge, dotted in the caption colour.
    const auto dotsInRow = [](const QImage& shot, int y) {
        return CountNear(shot.copy(0, y, shot.width(), 1), kText);
    };
    EXPECT_GT(dotsInRow(withFocus, 3), 10);
    EXPECT_EQ(dotsInRow(withFocus, 2), 0);
    EXPECT_GT(CountNear(withFocus.copy(3, 0, 1, withFocus.height()), kText), 10);
    EXPECT_EQ(CountNear(withFocus.copy(4, 4, 52, 42), kText), 0);
    m_button.SetFlat(false);
    m_button.SetFlatFocus(false);
    EXPECT_GT(dotsInRow(Shot(), 3), 10);
    m_button.hide();
}

TEST_F(ButtonSTTest, TheTooltipShowsOnlyWhenActive) {
    m_button.SetTip(QStringLiteral("설 정"), false);
    EXPECT_EQ(m_button.toolTip(), QStringLiteral("설 정"));
    m_button.show();
    QHelpEvent asked(QEvent::ToolTip, kInside, m_button.mapToGlobal(kInside));
    QCoreApplication::sendEvent(&m_button, &asked);
    EXPECT_FALSE(QToolTip::isVisible());

    m_button.SetTip(QStringLiteral("설 정"), true);
    QCoreApplication::sendEvent(&m_button, &asked);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("설 정"));
    QToolTip::hideText();
    m_button.hide();
}

TEST(WrapTipText, KeepsEveryLineWithinTheWidth) {
    const QFontMetrics metrics(QToolTip::font());
    const int width = metrics.horizontalAdvance(QStringLiteral("word word"));
    const struct {
        const char* text;
        const char* wrapped;
    } rows[] = {
        {"word", "word"},
        {"word word", "word word"},
        {"word word word", "word word\nword"},
        {"wordwordwordword word", "wordwordwordword\nword"},
        {"word\nword word word", "word\nword word\nword"},
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WrapTipText(QString::fromUtf8(row.text), metrics, width),
                  QString::fromUtf8(row.wrapped))
            << row.text;
    }
}

}  // namespace
}  // namespace ledgra
