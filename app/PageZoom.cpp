#include "app/PageZoom.h"

#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>

#include "settings/Profile.h"

namespace ledgra {
namespace {

// One notch of an ordinary mouse wheel, in eighths of a degree.
constexpr int kWheelNotch = 120;

bool OnlyControl(Qt::KeyboardModifiers modifiers) {
    // Shift makes "+" on many layouts and the keypad flag is no different key.
    return (modifiers & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::ControlModifier;
}

}  // namespace

int ClampedZoom(int percent) {
    const int clamped = std::clamp(percent, kMinimumZoom, kMaximumZoom);
    return (clamped + kZoomStep / 2) / kZoomStep * kZoomStep;
}

int SteppedZoom(int percent, int steps) {
    // More steps than the range holds end at its ends all the same.
    constexpr int kStepsInRange = (kMaximumZoom - kMinimumZoom) / kZoomStep;
    return ClampedZoom(ClampedZoom(percent) +
                       std::clamp(steps, -kStepsInRange, kStepsInRange) * kZoomStep);
}

int ChangedZoom(int percent, ZoomChange change) {
    switch (change) {
        case ZoomChange::In:
            return SteppedZoom(percent, 1);
        case ZoomChange::Out:
            return SteppedZoom(percent, -1);
        case ZoomChange::Reset:
            return kDefaultZoom;
    }
    return kDefaultZoom;
}

std::optional<ZoomChange> ZoomChangeOfKey(const QKeyEvent& event) {
    if (!OnlyControl(event.modifiers())) return std::nullopt;
    switch (event.key()) {
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return ZoomChange::In;
        case Qt::Key_Minus:
            return ZoomChange::Out;
        case Qt::Key_0:
            return ZoomChange::Reset;
        default:
            return std::nullopt;
    }
}

int StoredZoom(const Profile& profile) {
    return ClampedZoom(profile.GetProfileInt(kZoomSection, kZoomKey, kDefaultZoom));
}

void StoreZoom(Profile& profile, int percent) {
    profile.WriteProfileInt(kZoomSection, kZoomKey, ClampedZoom(percent));
}

int ZoomWheel::Turn(const QWheelEvent& event) {
    const int delta = event.angleDelta().y();
    // A turn without Ctrl, or the other way, starts the count afresh.
    if (!OnlyControl(event.modifiers()) || (delta < 0) != (m_pendingDelta < 0)) m_pendingDelta = 0;
    if (!OnlyControl(event.modifiers())) return 0;
    m_pendingDelta += delta;
    const long long steps = m_pendingDelta / kWheelNotch;
    m_pendingDelta -= steps * kWheelNotch;
    return static_cast<int>(steps);
}

}  // namespace ledgra
