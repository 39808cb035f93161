#include "ScreenPlacement.h"

#include <algorithm>
#include <cstdint>

namespace {

bool CornerOnScreen(int x, int y, const WorkArea& area) {
    return x >= area.left && x <= area.right - 5 && y >= area.top && y <= area.bottom - 5;
}

int Overlap(int start, int length, int low, int high) {
    return std::min(start + length, high) - std::max(start, low);
}

int Gap(int start, int length, int low, int high) {
    return std::max({0, low - (start + length), start - high});
}

int Into(int start, int length, int low, int high) {
    return std::clamp(start, low, std::max(low, high - length));
}

}  // namespace

SnapPosition StoredStartPosition(int x, int y, const std::vector<WorkArea>& screens) {
    if (screens.empty()) return {x, y};
    for (const WorkArea& area : screens)
        if (CornerOnScreen(x, y, area)) return {x, y};
    return ClampStoredPosition(x, y, screens.front());
}

SnapPosition PlaceOnNearestScreen(const FrameRect& window, const std::vector<WorkArea>& screens) {
    const int width = std::max(window.width, 1);
    const int height = std::max(window.height, 1);
    const int needWidth = std::min(kMinVisibleSquare, width);
    const int needHeight = std::min(kMinVisibleSquare, height);
    for (const WorkArea& area : screens)
        if (Overlap(window.x, width, area.left, area.right) >= needWidth &&
            Overlap(window.y, height, area.top, area.bottom) >= needHeight)
            return {window.x, window.y};

    const WorkArea* nearest = nullptr;
    std::int64_t nearestDistance = 0;
    for (const WorkArea& area : screens) {
        const std::int64_t dx = Gap(window.x, width, area.left, area.right);
        const std::int64_t dy = Gap(window.y, height, area.top, area.bottom);
        const std::int64_t distance = dx * dx + dy * dy;
        if (nearest == nullptr || distance < nearestDistance) {
            nearest = &area;
            nearestDistance = distance;
        }
    }
    if (nearest == nullptr) return {window.x, window.y};
    return {Into(window.x, width, nearest->left, nearest->right), Into(window.y, height, nearest->top, nearest->bottom)};
}
