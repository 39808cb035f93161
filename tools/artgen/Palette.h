// The colours of one skin family. Every drawing function takes its colours
// from a palette, so a restyle is an edit of the two tables in ArtTables.cpp.
#pragma once

#include <QColor>

struct Palette {
    QColor window;      // page behind everything
    QColor windowLow;   // bottom of the page gradient
    QColor header;      // title strip (solid: still images sit on it)
    QColor panel;       // framed areas (solid: the view and tiles sit on it)
    QColor edge;        // hairlines and borders
    QColor text;        // primary text and glyphs
    QColor dim;         // secondary text, disabled glyphs
    QColor face;        // button face, top
    QColor faceLow;     // button face, bottom
    QColor faceOver;    // button face under the pointer
    QColor faceDown;    // button face while pressed
    QColor accent;      // checked buttons, bars, the logo
    QColor accentLow;   // bottom of accent gradients
    QColor onAccent;    // text and glyphs on the accent
    QColor hot;         // the close button under the pointer
};
