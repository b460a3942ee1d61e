#pragma once
// The page pane's zoom: whole steps of 10 % from 30 % to 300 %, remembered in the profile
// beside (not inside) the stored settings, and the keys and wheel turns that change it.

#include <optional>

class QKeyEvent;
class QWheelEvent;

namespace ledgra {

class Profile;

inline constexpr const char* kZoomSection = "View";
inline constexpr const char* kZoomKey = "Zoom";

inline constexpr int kDefaultZoom = 100;
inline constexpr int kMinimumZoom = 30;
inline constexpr int kMaximumZoom = 300;
inline constexpr int kZoomStep = 10;

// A zoom in percent on the step grid within the range: a value outside the range (a stored
// value may be anything) becomes the nearest end, one between two steps the nearer step.
int ClampedZoom(int percent);

enum class ZoomChange { In, Out, Reset };

// The zoom after one change.
int ChangedZoom(int percent, ZoomChange change);
// The zoom after a number of steps in (positive) or out (negative).
int SteppedZoom(int percent, int steps);

// Ctrl with "=", "+" (with or without Shift, main keys or keypad), "-" or "0".
std::optional<ZoomChange> ZoomChangeOfKey(const QKeyEvent& event);

// The stored zoom, on the grid; the default when none is stored.
int StoredZoom(const Profile& profile);
void StoreZoom(Profile& profile, int percent);

// Counts Ctrl+wheel turns in whole notches, so that a touchpad's small deltas add up to one
// step instead of one step each.
class ZoomWheel {
public:
    // The zoom steps one wheel event makes (positive: in): 0 without Ctrl or before a notch
    // is complete.
    int Turn(const QWheelEvent& event);

private:
    long long m_pendingDelta = 0;
};

}  // namespace ledgra
