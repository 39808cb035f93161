#include "Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace {

QPen Stroke(const QColor& c, qreal width) {
    QPen pen(c, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Fan(QPainter& p, const QRectF& b, const QColor& c) {
    const QPointF centre = b.center();
    const qreal r = b.width() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int blade = 0; blade < 4; ++blade) {
        p.save();
        p.translate(centre);
        p.rotate(blade * 90.0 + 20.0);
        QPainterPath leaf;
        leaf.moveTo(0, 0);
        leaf.cubicTo(r * 0.15, -r * 0.55, r * 0.75, -r * 0.95, r * 0.92, -r * 0.35);
        leaf.cubicTo(r * 0.75, -r * 0.15, r * 0.35, -r * 0.05, 0, 0);
        p.drawPath(leaf);
        p.restore();
    }
    p.drawEllipse(centre, r * 0.2, r * 0.2);
}

void Gear(QPainter& p, const QRectF& b, const QColor& c) {
    const QPointF o = b.center();
    const qreal outer = b.width() / 2, inner = outer * 0.72;
    QPolygonF teeth;
    constexpr int kTeeth = 8;
    for (int i = 0; i < kTeeth * 4; ++i) {
        const qreal a = i * std::numbers::pi / (kTeeth * 2);
        const qreal rad = (i % 4 < 2) ? outer : inner;
        teeth << QPointF(o.x() + rad * std::cos(a), o.y() + rad * std::sin(a));
    }
    QPainterPath path;
    path.addPolygon(teeth);
    path.closeSubpath();
    path.addEllipse(o, outer * 0.32, outer * 0.32);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
}

}  // namespace

void DrawGlyph(QPainter& p, Glyph glyph, const QRectF& b, const QColor& c) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal w = b.width();
    const qreal line = std::max<qreal>(1.4, w / 8);
    p.setPen(Stroke(c, line));
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::None:
        break;
    case Glyph::Pin: {
        const QPointF head(b.center().x(), b.top() + w * 0.32);
        p.setBrush(c);
        p.drawEllipse(head, w * 0.26, w * 0.26);
        p.drawLine(QPointF(head.x(), head.y() + w * 0.2), QPointF(head.x(), b.bottom()));
        break;
    }
    case Glyph::Contrast:
        p.drawEllipse(b.adjusted(line / 2, line / 2, -line / 2, -line / 2));
        p.setBrush(c);
        p.drawPie(b.adjusted(line / 2, line / 2, -line / 2, -line / 2), 90 * 16, 180 * 16);
        break;
    case Glyph::Palette: {
        const qreal s = w * 0.62;
        p.drawRoundedRect(QRectF(b.left(), b.top(), s, s), 2, 2);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(b.right() - s, b.bottom() - s, s, s), 2, 2);
        break;
    }
    case Glyph::Gear:
        Gear(p, b, c);
        break;
    case Glyph::Minus:
        p.drawLine(QPointF(b.left(), b.center().y() + w * 0.2), QPointF(b.right(), b.center().y() + w * 0.2));
        break;
    case Glyph::Cross:
        p.drawLine(b.topLeft(), b.bottomRight());
        p.drawLine(b.topRight(), b.bottomLeft());
        break;
    case Glyph::Play: {
        p.setPen(Stroke(c, 1.0));
        p.setBrush(c);
        p.drawPolygon(QPolygonF({b.topLeft() + QPointF(w * 0.15, 0), b.bottomLeft() + QPointF(w * 0.15, 0),
                                 QPointF(b.right(), b.center().y())}));
        break;
    }
    case Glyph::Pause:
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRect(QRectF(b.left() + w * 0.12, b.top(), w * 0.28, b.height()));
        p.drawRect(QRectF(b.right() - w * 0.4, b.top(), w * 0.28, b.height()));
        break;
    case Glyph::Fan:
        Fan(p, b, c);
        break;
    case Glyph::Gauge: {
        // A dial's upper arc with its needle leaning toward the fast end.
        const QRectF dial(b.left(), b.top() + b.height() * 0.12, w, w);
        p.drawArc(dial, 0, 180 * 16);
        const QPointF hub(dial.center().x(), dial.center().y());
        p.drawLine(hub, QPointF(hub.x() + w * 0.34, hub.y() - w * 0.3));
        p.setBrush(c);
        p.drawEllipse(hub, line * 0.8, line * 0.8);
        break;
    }
    case Glyph::Pulse: {
        // A reading's trace: flat, one sharp beat, flat again.
        const qreal y = b.center().y(), h = b.height();
        p.drawPolyline(QPolygonF({QPointF(b.left(), y), QPointF(b.left() + w * 0.3, y),
                                  QPointF(b.left() + w * 0.42, b.top() + h * 0.1),
                                  QPointF(b.left() + w * 0.58, b.bottom() - h * 0.1),
                                  QPointF(b.left() + w * 0.7, y), QPointF(b.right(), y)}));
        break;
    }
    case Glyph::Swap: {
        const qreal y1 = b.top() + b.height() * 0.3, y2 = b.top() + b.height() * 0.72, a = w * 0.25;
        p.drawLine(QPointF(b.left(), y1), QPointF(b.right(), y1));
        p.drawLine(QPointF(b.right(), y1), QPointF(b.right() - a, y1 - a));
        p.drawLine(QPointF(b.right(), y2), QPointF(b.left(), y2));
        p.drawLine(QPointF(b.left(), y2), QPointF(b.left() + a, y2 + a));
        break;
    }
    }
    p.restore();
}
