// Outlines shared by window regions, button masks and the faces drawn inside
// them, so a face and its mask always agree.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QSize>

enum class Shape { Rect, Rounded, Chamfered, Circle };

struct Outline {
    Shape shape = Shape::Rect;
    int size = 0;  // corner radius (Rounded) or corner cut (Chamfered)
};

QPainterPath OutlinePath(const QRectF& rect, Outline outline);
// Black inside, white outside, no antialiasing: non-white pixels are the
// window or button, so a grey edge pixel would still count as inside.
QImage OutlineBitmap(QSize size, Outline outline);
