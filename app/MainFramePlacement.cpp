#include "app/MainFramePlacement.h"

#include <algorithm>

#include "settings/Profile.h"

namespace ledgra {
namespace {

constexpr const char* kLeftKey = "Left";
constexpr const char* kTopKey = "Top";
constexpr const char* kWidthKey = "Width";
constexpr const char* kHeightKey = "Height";
constexpr const char* kMaximisedKey = "Maximized";
constexpr const char* kTreeWidthKey = "TreeWidth";

}  // namespace

FramePlacement StoredPlacement(const Profile& profile) {
    FramePlacement placement;
    const QRect& first = placement.geometry;
    const QRect stored(profile.GetProfileInt(kWindowSection, kLeftKey, first.x()),
                       profile.GetProfileInt(kWindowSection, kTopKey, first.y()),
                       profile.GetProfileInt(kWindowSection, kWidthKey, first.width()),
                       profile.GetProfileInt(kWindowSection, kHeightKey, first.height()));
    if (stored.width() >= kSmallestStoredSize.width() &&
        stored.height() >= kSmallestStoredSize.height()) {
        placement.geometry = stored;
    }
    placement.maximised = profile.GetProfileInt(kWindowSection, kMaximisedKey, 0) != 0;
    const int treeWidth = profile.GetProfileInt(kWindowSection, kTreeWidthKey, 0);
    if (treeWidth > 0) placement.treeWidth = treeWidth;
    return placement;
}

void StorePlacement(Profile& profile, const FramePlacement& placement) {
    profile.WriteProfileInt(kWindowSection, kLeftKey, placement.geometry.x());
    profile.WriteProfileInt(kWindowSection, kTopKey, placement.geometry.y());
    profile.WriteProfileInt(kWindowSection, kWidthKey, placement.geometry.width());
    profile.WriteProfileInt(kWindowSection, kHeightKey, placement.geometry.height());
    profile.WriteProfileInt(kWindowSection, kMaximisedKey, placement.maximised ? 1 : 0);
    profile.WriteProfileInt(kWindowSection, kTreeWidthKey, placement.treeWidth);
}

QRect FittedGeometry(const QRect& wanted, const QRect& available) {
    const QRect room = available.marginsRemoved(kWindowFrameAllowance);
    const QSize size = wanted.size().boundedTo(room.size());
    const int x = std::clamp(wanted.x(), room.left(), room.right() + 1 - size.width());
    const int y = std::clamp(wanted.y(), room.top(), room.bottom() + 1 - size.height());
    return QRect(QPoint(x, y), size);
}

}  // namespace ledgra
