// The larger pictures of a skin: window outlines, page backgrounds with
// their framed areas and printed labels, still images, and program icons.
#pragma once

#include <QImage>
#include <QLine>
#include <QRect>
#include <span>

#include "Glyphs.h"
#include "Palette.h"
#include "Shapes.h"

struct PanelArt {
    QRect rect;
    int radius;
};

struct TextArt {
    QRect box;
    const char* text;
    int pixelSize;
    bool bold;
    bool dimmed;  // secondary text colour
    Qt::Alignment align;
};

struct BackgroundArt {
    const char* file;         // the page background
    const char* outlineFile;  // the window outline, same size
    QSize size;
    Outline outline;
    const Palette* palette;
    int headerHeight;  // solid title strip at the top; 0 for none
    std::span<const PanelArt> panels;
    std::span<const TextArt> texts;
    std::span<const QLine> hairlines;
};

enum class BadgeKind {
    Logo,       // accent tile with a dark glyph, on the header colour
    Watermark,  // faint glyph on the panel colour
};

struct BadgeArt {
    const char* file;
    QSize size;
    Glyph glyph;
    const Palette* palette;
    BadgeKind kind;
};

// Icons keep an alpha channel and are written as PNG.
struct IconArt {
    const char* file;
    int size;
    QColor disc;
    QColor discLow;
    QColor glyph;
    bool alert;  // a warning frame: a ring and an exclamation mark
    Glyph symbol = Glyph::Fan;
};

QImage DrawBackground(const BackgroundArt& art);
QImage DrawBadge(const BadgeArt& art);
QImage DrawIcon(const IconArt& art);
