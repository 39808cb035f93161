// Small line-art symbols for buttons, the logo and the icons, drawn into any
// square so one symbol serves every size.
#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

enum class Glyph { None, Pin, Contrast, Palette, Gear, Minus, Cross, Play, Pause, Fan, Swap, Gauge, Pulse };

void DrawGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& colour);
