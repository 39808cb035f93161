// One skinned button's bitmaps: a face per state and the mask that cuts the
// button to its outline.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

#include "Glyphs.h"
#include "Palette.h"
#include "Shapes.h"

enum class FocusLook {
    Checked,  // radio and check buttons: the focus image is their checked face
    Ring,     // push buttons: the normal face with an accent ring
};

struct ButtonArt {
    const char* file;  // path below the repository root, without ".bmp"
    QSize size;
    Outline outline;
    Glyph glyph;        // drawn when label is empty
    const char* label;  // "" for a glyph button
    const Palette* palette;
    FocusLook focus;
    bool hot = false;  // the pointer turns it red (closing buttons)
};

struct NamedImage {
    QString file;  // path below the repository root
    QImage image;
};

// Normal, over ("_o"), down ("_d"), disabled ("_x"), focus ("_f") and mask
// ("_m"), each the button's size.
std::vector<NamedImage> DrawButton(const ButtonArt& art);
