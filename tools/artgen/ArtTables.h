// Everything the generator draws, as tables: change a size, a colour or a
// label here and run the tool again. Positions that the skin definitions
// repeat (button places, framed areas) are noted beside each entry.
#pragma once

#include <span>

#include "ButtonArt.h"
#include "SurfaceArt.h"

std::span<const BackgroundArt> Backgrounds();
std::span<const BadgeArt> Badges();
std::span<const ButtonArt> Buttons();
std::span<const IconArt> Icons();
