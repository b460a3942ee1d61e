#include <QKeyEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <climits>

#include "app/PageZoom.h"
#include "settings/Profile.h"

namespace ledgra {
namespace {

TEST(PageZoomTest, ZoomStaysOnTheStepGridWithinItsRange) {
    struct Row {
        int percent;
        int clamped;
    };
    const Row rows[] = {
        {100, 100},  {30, 30},      {300, 300},     {29, 30},   {0, 30},    {-50, 30}, {301, 300},
        {5000, 300}, {INT_MIN, 30}, {INT_MAX, 300}, {104, 100}, {105, 110}, {36, 40},  {294, 290},
    };
    for (const Row& row : rows) EXPECT_EQ(ClampedZoom(row.percent), row.clamped) << row.percent;
}

TEST(PageZoomTest, ChangesGoOneStepAndStopAtTheEnds) {
    struct Row {
        int percent;
        ZoomChange change;
        int changed;
    };
    const Row rows[] = {
        {100, ZoomChange::In, 110},    {290, ZoomChange::In, 300},   {300, ZoomChange::In, 300},
        {100, ZoomChange::Out, 90},    {40, ZoomChange::Out, 30},    {30, ZoomChange::Out, 30},
        {250, ZoomChange::Reset, 100}, {30, ZoomChange::Reset, 100}, {9999, ZoomChange::Out, 290},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ChangedZoom(row.percent, row.change), row.changed)
            << row.percent << " " << static_cast<int>(row.change);
    }
    EXPECT_EQ(SteppedZoom(100, 3), 130);
    EXPECT_EQ(SteppedZoom(100, -3), 70);
    EXPECT_EQ(SteppedZoom(100, INT_MAX), 300);
    EXPECT_EQ(SteppedZoom(100, INT_MIN), 30);
}

TEST(PageZoomTest, OnlyCtrlWithEqualsPlusMinusOrZeroIsAZoomKey) {
    struct Row {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::optional<ZoomChange> change;
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Row rows[] = {
        {Qt::Key_Equal, ctrl, ZoomChange::In},
        {Qt::Key_Plus, ctrl, ZoomChange::In},
        {Qt::Key_Plus, ctrl | Qt::ShiftModifier, ZoomChange::In},
        {Qt::Key_Plus, ctrl | Qt::KeypadModifier, ZoomChange::In},
        {Qt::Key_Minus, ctrl, ZoomChange::Out},
        {Qt::Key_Minus, ctrl | Qt::KeypadModifier, ZoomChange::Out},
        {Qt::Key_0, ctrl, ZoomChange::Reset},
        {Qt::Key_0, ctrl | Qt::KeypadModifier, ZoomChange::Reset},
        {Qt::Key_Equal, Qt::NoModifier, std::nullopt},
        {Qt::Key_Minus, Qt::ShiftModifier, std::nullopt},
        {Qt::Key_0, ctrl | Qt::AltModifier, std::nullopt},
        {Qt::Key_Equal, ctrl | Qt::MetaModifier, std::nullopt},
        {Qt::Key_1, ctrl, std::nullopt},
        {Qt::Key_P, ctrl, std::nullopt},
    };
    for (const Row& row : rows) {
        const QKeyEvent event(QEvent::KeyPress, row.key, row.modifiers);
        EXPECT_EQ(ZoomChangeOfKey(event), row.change) << row.key << " " << row.modifiers;
    }
}

QWheelEvent Wheel(int delta, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    return QWheelEvent(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton,
                       modifiers, Qt::NoScrollPhase, false);
}

TEST(PageZoomTest, TheWheelStepsOncePerNotchWithCtrlOnly) {
    ZoomWheel wheel;
    EXPECT_EQ(wheel.Turn(Wheel(120)), 1);
    EXPECT_EQ(wheel.Turn(Wheel(-120)), -1);
    EXPECT_EQ(wheel.Turn(Wheel(360)), 3);
    // A touchpad's small deltas add up to one notch.
    EXPECT_EQ(wheel.Turn(Wheel(40)), 0);
    EXPECT_EQ(wheel.Turn(Wheel(40)), 0);
    EXPECT_EQ(wheel.Turn(Wheel(40)), 1);
    // Turning back, or scrolling without Ctrl, starts the count afresh.
    EXPECT_EQ(wheel.Turn(Wheel(100)), 0);
    EXPECT_EQ(wheel.Turn(Wheel(-100)), 0);
    EXPECT_EQ(wheel.Turn(Wheel(-20)), -1);
    EXPECT_EQ(wheel.Turn(Wheel(100)), 0);
    EXPECT_EQ(wheel.Turn(Wheel(120, Qt::NoModifier)), 0);
    EXPECT_EQ(wheel.Turn(Wheel(20)), 0);
    EXPECT_EQ(wheel.Turn(Wheel(120, Qt::ControlModifier | Qt::AltModifier)), 0);
    EXPECT_EQ(wheel.Turn(Wheel(INT_MAX)), INT_MAX / 120);
}

TEST(PageZoomTest, TheStoredZoomLivesInItsOwnSectionAndIsReadBackOnTheGrid) {
    MemoryProfile profile;
    EXPECT_EQ(StoredZoom(profile), 100);
    StoreZoom(profile, 130);
    EXPECT_EQ(profile.GetProfileInt("View", "Zoom", 0), 130);
    EXPECT_EQ(profile.GetProfileInt("Settings", "Zoom", 0), 0);
    EXPECT_EQ(StoredZoom(profile), 130);
    // A value edited by hand, or written by anyone else, comes back within the range.
    for (const auto& [stored, read] : {std::pair{9000, 300}, {-7, 30}, {123, 120}}) {
        profile.WriteProfileInt("View", "Zoom", stored);
        EXPECT_EQ(StoredZoom(profile), read) << stored;
    }
}

}  // namespace
}  // namespace ledgra
