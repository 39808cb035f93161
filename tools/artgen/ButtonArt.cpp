#include "ButtonArt.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace {

enum class State { Normal, Over, Down, Disabled, Focus };

struct StateLook {
    State state;
    const char* suffix;
};

constexpr StateLook kStates[] = {
    {State::Normal, ""}, {State::Over, "_o"}, {State::Down, "_d"}, {State::Disabled, "_x"}, {State::Focus, "_f"},
};

struct Colours {
    QColor top, bottom, border, content;
    bool bold = false;
};

Colours ColoursFor(const ButtonArt& art, State state) {
    const Palette& c = *art.palette;
    switch (state) {
    case State::Normal:
        return {c.face, c.faceLow, c.edge, c.text};
    case State::Over:
        if (art.hot) return {c.hot.lighter(110), c.hot, c.hot.darker(130), Qt::white};
        return {c.faceOver, c.faceOver.darker(108), c.accent, c.text};
    case State::Down:
        return {c.faceDown, c.faceDown, c.accent, c.accent};
    case State::Disabled:
        return {c.faceLow, c.faceLow, c.edge, c.dim};
    case State::Focus:
        if (art.focus == FocusLook::Ring) return {c.face, c.faceLow, c.accent, c.text};
        return {c.accent, c.accentLow, c.accentLow.darker(120), c.onAccent, true};
    }
    return {};
}

QImage DrawFace(const ButtonArt& art, State state) {
    const Colours colours = ColoursFor(art, state);
    QImage image(art.size, QImage::Format_RGB32);
    // The whole rectangle gets the face colour: the mask decides the shape
    // with hard edges, so nothing of a blended corner may show.
    image.fill(colours.bottom);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const QRectF box(0.5, 0.5, art.size.width() - 1.0, art.size.height() - 1.0);
    QLinearGradient fill(0, 0, 0, art.size.height());
    fill.setColorAt(0, colours.top);
    fill.setColorAt(1, colours.bottom);
    p.setPen(QPen(colours.border, 1.0));
    p.setBrush(fill);
    p.drawPath(OutlinePath(box, art.outline));

    const qreal shift = state == State::Down ? 1.0 : 0.0;
    if (*art.label) {
        QFont font("DejaVu Sans");
        font.setPixelSize(art.size.height() >= 22 ? 11 : 10);
        font.setBold(colours.bold);
        p.setFont(font);
        p.setPen(colours.content);
        p.drawText(QRectF(0, shift, art.size.width(), art.size.height()), Qt::AlignCenter, art.label);
    } else {
        const qreal side = std::min(art.size.width(), art.size.height()) * 0.5;
        const QRectF glyph(QPointF((art.size.width() - side) / 2, (art.size.height() - side) / 2 + shift),
                           QSizeF(side, side));
        DrawGlyph(p, art.glyph, glyph, colours.content);
    }
    return image;
}

}  // namespace

std::vector<NamedImage> DrawButton(const ButtonArt& art) {
    std::vector<NamedImage> out;
    const QString stem = QString::fromUtf8(art.file);
    for (const StateLook& look : kStates) out.push_back({stem + look.suffix + ".bmp", DrawFace(art, look.state)});
    out.push_back({stem + "_m.bmp", OutlineBitmap(art.size, art.outline)});
    return out;
}
