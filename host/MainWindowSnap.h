// Edge snapping of the main window: a window dropped close to an edge of the
// work area lands exactly on it. Pure arithmetic, so every rule is testable.
#pragma once

struct FrameRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const FrameRect&) const = default;
};

// The usable part of a screen (right and bottom exclusive).
struct WorkArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline constexpr int kSnapDistance = 15;

struct SnapPosition {
    int x = 0;
    int y = 0;
    bool operator==(const SnapPosition&) const = default;
};

// Left and top edges are tried before right and bottom; each axis on its own.
SnapPosition SnapToWorkArea(const FrameRect& window, const WorkArea& area, int distance = kSnapDistance);

// A stored position beyond the work area's right edge minus 5 (or bottom edge
// minus 5) starts at 0 on that axis, so the window never opens off-screen.
SnapPosition ClampStoredPosition(int x, int y, const WorkArea& area);
