#include "Shapes.h"

#include <QPainter>

QPainterPath OutlinePath(const QRectF& r, Outline outline) {
    QPainterPath path;
    switch (outline.shape) {
    case Shape::Rect:
        path.addRect(r);
        break;
    case Shape::Rounded:
        path.addRoundedRect(r, outline.size, outline.size);
        break;
    case Shape::Circle:
        path.addEllipse(r);
        break;
    case Shape::Chamfered: {
        const qreal c = outline.size;
        path.moveTo(r.left() + c, r.top());
        path.lineTo(r.right() - c, r.top());
        path.lineTo(r.right(), r.top() + c);
        path.lineTo(r.right(), r.bottom() - c);
        path.lineTo(r.right() - c, r.bottom());
        path.lineTo(r.left() + c, r.bottom());
        path.lineTo(r.left(), r.bottom() - c);
        path.lineTo(r.left(), r.top() + c);
        path.closeSubpath();
        break;
    }
    }
    return path;
}

QImage OutlineBitmap(QSize size, Outline outline) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(OutlinePath(QRectF(0, 0, size.width(), size.height()), outline));
    return image;
}
