#include "MainWindowSnap.h"

#include <cstdlib>

namespace {

int SnapAxis(int start, int length, int low, int high, int distance) {
    if (std::abs(start - low) <= distance) return low;
    if (std::abs(start + length - high) <= distance) return high - length;
    return start;
}

}  // namespace

SnapPosition SnapToWorkArea(const FrameRect& window, const WorkArea& area, int distance) {
    return {SnapAxis(window.x, window.width, area.left, area.right, distance),
            SnapAxis(window.y, window.height, area.top, area.bottom, distance)};
}

SnapPosition ClampStoredPosition(int x, int y, const WorkArea& area) {
    return {x > area.right - 5 ? 0 : x, y > area.bottom - 5 ? 0 : y};
}
