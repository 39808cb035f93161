// An up-down control beside a read-only edit: two arrow buttons that repeat
// while held, and the Up/Down keys while it has focus. It only reports the
// steps; the page model decides what a step does to the value.
#pragma once

#include <QWidget>

class QToolButton;

namespace zefan {

class CUpDownButtons : public QWidget {
    Q_OBJECT
public:
    explicit CUpDownButtons(QWidget* parent = nullptr);

    // Kept for the accessibility of the value and for tests; the buttons do
    // not clamp, the model does.
    void SetRange(int low, int high, int position);
    int Low() const { return low_; }
    int High() const { return high_; }
    int Position() const { return position_; }

signals:
    // +1 for up, -1 for down.
    void stepped(int delta);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
    int low_ = 0;
    int high_ = 0;
    int position_ = 0;
};

}  // namespace zefan
