#include "SurfaceArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

QImage DrawBackground(const BackgroundArt& art) {
    const Palette& c = *art.palette;
    QImage image(art.size, QImage::Format_RGB32);
    image.fill(c.window);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    QLinearGradient page(0, 0, 0, art.size.height());
    page.setColorAt(0, c.window);
    page.setColorAt(1, c.windowLow);
    p.fillRect(image.rect(), page);
    if (art.headerHeight > 0) {
        p.fillRect(QRect(0, 0, art.size.width(), art.headerHeight), c.header);
        p.setPen(QPen(c.edge, 1));
        p.drawLine(QPointF(0, art.headerHeight - 0.5), QPointF(art.size.width(), art.headerHeight - 0.5));
        // A thin accent stripe gives the strip its colour without competing
        // with the text.
        p.fillRect(QRect(0, 0, art.size.width(), 2), c.accent);
    }
    for (const PanelArt& panel : art.panels) {
        p.setPen(QPen(c.edge, 1));
        p.setBrush(c.panel);
        p.drawRoundedRect(QRectF(panel.rect).adjusted(0.5, 0.5, -0.5, -0.5), panel.radius, panel.radius);
    }
    p.setPen(QPen(c.edge, 1));
    for (const QLine& line : art.hairlines)
        p.drawLine(QLineF(line).translated(0.5, 0.5));
    for (const TextArt& text : art.texts) {
        QFont font("DejaVu Sans");
        font.setPixelSize(text.pixelSize);
        font.setBold(text.bold);
        p.setFont(font);
        p.setPen(text.dimmed ? c.dim : c.text);
        p.drawText(text.box, text.align, QString::fromUtf8(text.text));
    }
    // The window's own edge, just inside the outline.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c.edge.lighter(115), 1.5));
    p.drawPath(OutlinePath(QRectF(0.75, 0.75, art.size.width() - 1.5, art.size.height() - 1.5), art.outline));
    return image;
}

QImage DrawBadge(const BadgeArt& art) {
    const Palette& c = *art.palette;
    QImage image(art.size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF box(0, 0, art.size.width(), art.size.height());
    switch (art.kind) {
    case BadgeKind::Logo: {
        image.fill(c.header);
        QLinearGradient tile(0, 0, 0, box.height());
        tile.setColorAt(0, c.accent);
        tile.setColorAt(1, c.accentLow);
        p.setPen(Qt::NoPen);
        p.setBrush(tile);
        p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), box.width() / 4, box.width() / 4);
        DrawGlyph(p, art.glyph, box.adjusted(box.width() * 0.16, box.height() * 0.16, -box.width() * 0.16,
                                             -box.height() * 0.16),
                  c.onAccent);
        break;
    }
    case BadgeKind::Watermark: {
        image.fill(c.panel);
        QColor faint = c.edge;
        DrawGlyph(p, art.glyph, box, faint);
        break;
    }
    }
    return image;
}

QImage DrawIcon(const IconArt& art) {
    QImage image(art.size, art.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal s = art.size;
    const QRectF disc(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
    QLinearGradient fill(0, 0, 0, s);
    fill.setColorAt(0, art.disc);
    fill.setColorAt(1, art.discLow);
    p.setPen(QPen(art.discLow.darker(140), s / 32));
    p.setBrush(fill);
    p.drawEllipse(disc);
    DrawGlyph(p, art.symbol, disc.adjusted(s * 0.14, s * 0.14, -s * 0.14, -s * 0.14), art.glyph);
    if (art.alert) {
        // The exclamation mark on a small badge, so the frame reads as a
        // warning even at tray size.
        const QRectF badge(s * 0.52, s * 0.52, s * 0.46, s * 0.46);
        p.setPen(QPen(art.discLow.darker(160), s / 32));
        p.setBrush(QColor(255, 214, 10));
        p.drawEllipse(badge);
        p.setPen(QPen(QColor(30, 20, 0), s / 14, Qt::SolidLine, Qt::RoundCap));
        const qreal x = badge.center().x();
        p.drawLine(QPointF(x, badge.top() + badge.height() * 0.24), QPointF(x, badge.top() + badge.height() * 0.58));
        p.drawPoint(QPointF(x, badge.top() + badge.height() * 0.78));
    }
    return image;
}
