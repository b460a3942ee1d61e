#pragma once
// Where the main window opens: as the user left it (its place, size, maximised state and the
// tree pane's width, kept in the settings), and never beyond the screen's free area.

#include <QMargins>
#include <QSize>
#include <QRect>

namespace ledgra {

class Profile;

inline constexpr const char* kWindowSection = "Window";

// Room for the desktop's frame around the window: the window's place is that of its frame, its
// size that of its inside.
inline constexpr QMargins kWindowFrameAllowance(0, 0, 8, 32);
// A stored size below this is no size the user left the window at.
inline constexpr QSize kSmallestStoredSize(200, 150);

struct FramePlacement {
    QRect geometry{15, 15, 1000, 720};  // the first start's
    bool maximised = false;
    int treeWidth = 300;
};

// The placement kept in the profile; the first start's for what is missing or unusable.
FramePlacement StoredPlacement(const Profile& profile);
void StorePlacement(Profile& profile, const FramePlacement& placement);

// The geometry made to fit the screen's available area with its frame: no larger than the
// area, and moved into it where it lies partly or wholly outside.
QRect FittedGeometry(const QRect& wanted, const QRect& available);

}  // namespace ledgra
