// Whole-window transparency: the layered style comes on at the first call
// and goes off again only at full opacity.
#pragma once

struct TransparencyStep {
    bool layered = false;  // the style after the call
    int alpha = 255;       // the alpha applied
};

// Layered flag before the call and the requested alpha (clamped to 0..255).
TransparencyStep NextTransparency(bool layered, int alpha);
