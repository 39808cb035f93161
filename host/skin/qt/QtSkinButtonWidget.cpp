#include "QtSkinButtonWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <qdrawutil.h>

QRegion RegionFromRects(const std::vector<SkinRect>& rects) {
    if (rects.empty()) return QRegion(-2, -2, 1, 1);
    QRegion region;
    for (const SkinRect& r : rects) region += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return region;
}

CQtSkinButton::CQtSkinButton(QWidget* parent, CSkinButton& logic, int controlId)
    : QWidget(parent), logic_(&logic), controlId_(controlId) {
    setMouseTracking(true);
    // Tab reaches the button; a click leaves the keyboard focus with the
    // page, which the click hands it back to anyway.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(10, 10, 90, 20);
}

bool CQtSkinButton::IsOver(const QPoint& pos) const {
    if (!rect().contains(pos)) return false;
    return mask().isEmpty() || mask().contains(pos);
}

void CQtSkinButton::DrawImage(QPainter& painter, ImageSlot slot) const {
    const QPixmap& image = images[static_cast<std::size_t>(slot)];
    if (image.isNull() || !logic_) return;
    switch (logic_->Mode()) {
        case DrawMode::Copy: painter.drawPixmap(0, 0, image); break;
        case DrawMode::Stretch: painter.drawPixmap(rect(), image); break;
        case DrawMode::Tile: painter.drawTiledPixmap(rect(), image); break;
    }
}

void CQtSkinButton::paintEvent(QPaintEvent*) {
    if (!logic_) return;
    const ButtonDrawPlan plan = logic_->Plan();
    QPainter painter(this);
    if (plan.fillFace) painter.fillRect(rect(), palette().button());
    if (plan.image) DrawImage(painter, *plan.image);
    if (plan.overlay) DrawImage(painter, *plan.overlay);
    if (plan.edge != ButtonEdge::None)
        qDrawShadePanel(&painter, rect(), palette(), plan.edge == ButtonEdge::Sunken, 1);
    if (plan.focusRect) {
        const int m = logic_->FocusMargin();
        painter.setPen(QPen(palette().buttonText().color(), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(m, m, -m - 1, -m - 1));
    }
}

void CQtSkinButton::mouseMoveEvent(QMouseEvent* event) {
    if (logic_) logic_->OnPointerMove(IsOver(event->position().toPoint()));
}

void CQtSkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && logic_) logic_->OnLeftDown();
}

void CQtSkinButton::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CQtSkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && logic_) logic_->OnLeftUp(IsOver(event->position().toPoint()));
}

void CQtSkinButton::leaveEvent(QEvent*) {
    if (logic_) logic_->OnPointerLeave();
}

void CQtSkinButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && logic_) {
        logic_->OnKeyDown(CSkinButton::kSpaceKey);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CQtSkinButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && logic_) {
        logic_->OnKeyUp(CSkinButton::kSpaceKey);
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void CQtSkinButton::focusInEvent(QFocusEvent*) {
    if (logic_) logic_->OnFocusGained();
}

void CQtSkinButton::focusOutEvent(QFocusEvent*) {
    if (logic_) logic_->OnFocusLost();
}

CQtSkinButtonWidget::~CQtSkinButtonWidget() {
    if (widget_) {
        widget_->Detach();
        delete widget_.data();
    }
}

void CQtSkinButtonWidget::Place(int x, int y, int width, int height) {
    if (!widget_) return;
    widget_->setGeometry(x, y, width, height);
    widget_->show();
    widget_->raise();
}

void CQtSkinButtonWidget::Resize(int width, int height) {
    if (widget_) widget_->resize(width, height);
}

ImagePresence CQtSkinButtonWidget::LoadImages(const ImagePaths& paths) {
    ImagePresence present{};
    if (!widget_) return present;
    for (std::size_t i = 0; i < kImageSlotCount; ++i) {
        widget_->images[i] = paths[i].empty() ? QPixmap() : QPixmap(QString::fromStdString(paths[i]));
        present[i] = !widget_->images[i].isNull();
    }
    return present;
}

std::optional<CBitmapPixels> CQtSkinButtonWidget::MaskPixels() const {
    if (!widget_) return std::nullopt;
    const QPixmap& mask = widget_->images[static_cast<std::size_t>(ImageSlot::Mask)];
    if (mask.isNull() || mask.width() > kMaxBitmapSide || mask.height() > kMaxBitmapSide) return std::nullopt;
    const QImage image = mask.toImage().convertToFormat(QImage::Format_RGB32);
    CBitmapPixels pixels;
    pixels.width = image.width();
    pixels.height = image.height();
    pixels.pixels.reserve(static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            pixels.pixels.push_back(SkinRgb{static_cast<std::uint8_t>(qRed(line[x])),
                                            static_cast<std::uint8_t>(qGreen(line[x])),
                                            static_cast<std::uint8_t>(qBlue(line[x]))});
    }
    return pixels;
}

void CQtSkinButtonWidget::SetShape(const std::vector<SkinRect>& rects) {
    if (widget_) widget_->setMask(RegionFromRects(rects));
}

void CQtSkinButtonWidget::SetToolTip(const std::string& text) {
    if (widget_) widget_->setToolTip(QString::fromStdString(text));
}

void CQtSkinButtonWidget::Repaint() {
    if (widget_) widget_->update();
}

bool CQtSkinButtonWidget::HasFocus() const { return widget_ && widget_->hasFocus(); }

bool CQtSkinButtonWidget::IsEnabled() const { return widget_ && widget_->isEnabled(); }
