// Dialog-unit geometry of the dialog templates, scaled for a 9-point font.
#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

namespace settings_qt {

constexpr double kUnitScale = 1.75;

inline int Px(int units) { return static_cast<int>(units * kUnitScale + 0.5); }

inline void Place(QWidget* widget, int x, int y, int w, int h) {
    widget->setGeometry(Px(x), Px(y), Px(w), Px(h));
}

// For texts: at least as wide as the text needs in this font, which runs
// wider than the one the units were laid out for.
inline void PlaceText(QWidget* widget, int x, int y, int w, int h) {
    Place(widget, x, y, w, h);
    if (widget->sizeHint().width() > widget->width()) widget->resize(widget->sizeHint().width(), widget->height());
}

}  // namespace settings_qt
