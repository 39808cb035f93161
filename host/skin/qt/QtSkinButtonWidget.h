// The Qt widget of a skinned button: draws the image CSkinButton chooses,
// cut to the mask's black pixels (white ones are neither drawn nor
// clickable), and reports pointer, Space and focus events to it.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <array>

#include "SkinButton.h"
#include "SkinButtonWidget.h"

class CQtSkinButton : public QWidget {
    Q_OBJECT
public:
    CQtSkinButton(QWidget* parent, CSkinButton& logic, int controlId);

    // The logic button is going away; events after this are ignored.
    void Detach() { logic_ = nullptr; }
    int ControlId() const { return controlId_; }
    CSkinButton* Logic() const { return logic_; }
    std::array<QPixmap, kImageSlotCount> images;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;

private:
    bool IsOver(const QPoint& pos) const;
    void DrawImage(QPainter& painter, ImageSlot slot) const;

    CSkinButton* logic_;
    int controlId_;
};

// The port object the logic owns; it deletes the widget unless Qt already
// did (the parent window went first).
class CQtSkinButtonWidget : public ISkinButtonWidget {
public:
    explicit CQtSkinButtonWidget(CQtSkinButton* widget) : widget_(widget) {}
    ~CQtSkinButtonWidget() override;

    void Place(int x, int y, int width, int height) override;
    void Resize(int width, int height) override;
    ImagePresence LoadImages(const ImagePaths& paths) override;
    std::optional<CBitmapPixels> MaskPixels() const override;
    void SetShape(const std::vector<SkinRect>& rects) override;
    void SetToolTip(const std::string& text) override;
    void Repaint() override;
    bool HasFocus() const override;
    bool IsEnabled() const override;

    CQtSkinButton* Widget() const { return widget_; }

private:
    QPointer<CQtSkinButton> widget_;
};

// A region for QWidget::setMask from outline rectangles, united in order.
// An empty list gives a region that covers no pixel of the widget (an empty
// QRegion would mean "no mask" to Qt, showing everything).
QRegion RegionFromRects(const std::vector<SkinRect>& rects);
