#include <QKeyEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <climits>

#include "app/PageZoom.h"
#include "settings/Profile.h"

namespace ledgra {
namespace {

TEST(PageZoomTest, StepsStayOnTheGridWithinTheRangeWhateverWasStored) {
    const int in[][2] = {{100, 110}, {290, 300}, {300, 300}, {104, 110}, {9999, 300}, {-7, 40}};
    for (const auto& [from, to] : in) EXPECT_EQ(ChangedZoom(from, ZoomChange::In), to) << from;
    const int out[][2] = {{100, 90}, {40, 30}, {30, 30}, {105, 100}, {INT_MAX, 290}};
    for (const auto& [from, to] : out) EXPECT_EQ(ChangedZoom(from, ZoomChange::Out), to) << from;
    EXPECT_EQ(ChangedZoom(250, ZoomChange::Reset), 100);
    EXPECT_EQ(SteppedZoom(100, INT_MIN), 30);

    MemoryProfile profile;
    EXPECT_EQ(StoredZoom(profile), 100);
    for (const auto& [stored, read] :
         {std::pair{130, 130}, {9000, 300}, {INT_MIN, 30}, {124, 120}}) {
        profile.WriteProfileInt("View", "Zoom", stored);
        EXPECT_EQ(StoredZoom(profile), read) << stored;
    }
}

TEST(PageZoomTest, OnlyCtrlWithTheZoomKeysOrTheWheelZooms) {
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, std::optional<ZoomChange>> keys[] = {
        {Qt::Key_Equal, ctrl, ZoomChange::In},
        {Qt::Key_Plus, ctrl | Qt::ShiftModifier, ZoomChange::In},
        {Qt::Key_Plus, ctrl | Qt::KeypadModifier, ZoomChange::In},
        {Qt::Key_Minus, ctrl, ZoomChange::Out},
        {Qt::Key_0, ctrl, ZoomChange::Reset},
        {Qt::Key_Equal, Qt::NoModifier, std::nullopt},
        {Qt::Key_0, ctrl | Qt::AltModifier, std::nullopt},
        {Qt::Key_1, ctrl, std::nullopt},
    };
    for (const auto& [key, modifiers, change] : keys) {
        EXPECT_EQ(ZoomChangeOfKey(QKeyEvent(QEvent::KeyPress, key, modifiers)), change) << key;
    }

    // A notch is one step; a touchpad's small turns add up to one; turning back, or a turn
    // without Ctrl, starts the count afresh.
    ZoomWheel wheel;
    const std::pair<int, Qt::KeyboardModifiers> turns[] = {
        {120, ctrl}, {-360, ctrl}, {40, ctrl},  {40, ctrl}, {40, ctrl},
        {100, ctrl}, {-100, ctrl}, {-20, ctrl}, {100, {}},  {20, ctrl},
    };
    std::vector<int> steps;
    for (const auto& [delta, modifiers] : turns) {
        steps.push_back(wheel.Turn(QWheelEvent(QPointF(), QPointF(), QPoint(), QPoint(0, delta),
                                               Qt::NoButton, modifiers, Qt::NoScrollPhase, false)));
    }
    EXPECT_EQ(steps, (std::vector<int>{1, -3, 0, 0, 1, 0, 0, -1, 0, 0}));
}

}  // namespace
}  // namespace ledgra
