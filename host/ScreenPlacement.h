// Where the main window opens when screens have come and gone since its
// position was stored: a monitor unplugged, a laptop undocked, a negative
// "PosX" from a screen that was left of the primary one.
#pragma once

#include <vector>

#include "MainWindowSnap.h"

// How much of the window must lie on one screen for the user to reach it.
inline constexpr int kMinVisibleSquare = 32;

// The stored top-left corner, before the window's size is known. A corner
// on any screen (at least 5 pixels inside its right and bottom edges) is
// kept, so a window on a second monitor stays there; otherwise the primary
// screen's rule applies (an axis past its edge minus 5 starts at 0).
// screens[0] is the primary screen; without screens the position is kept.
SnapPosition StoredStartPosition(int x, int y, const std::vector<WorkArea>& screens);

// The composed window: kept when a kMinVisibleSquare (or the whole window,
// when smaller) lies on one screen; otherwise moved into the nearest
// screen's work area, as far as it must to lie wholly inside (a window
// larger than the screen keeps its left or top edge on the screen's).
SnapPosition PlaceOnNearestScreen(const FrameRect& window, const std::vector<WorkArea>& screens);
