#include "Transparency.h"

#include <algorithm>

TransparencyStep NextTransparency(bool layered, int alpha) {
    TransparencyStep step;
    step.alpha = std::clamp(alpha, 0, 255);
    // Off -> on at any alpha (even 255); on -> off only at 255.
    step.layered = !layered || step.alpha != 255;
    return step;
}
