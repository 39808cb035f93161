#include "fanplugin/qt/UpDownButtons.h"

#include <QKeyEvent>
#include <QToolButton>

namespace zefan {

CUpDownButtons::CUpDownButtons(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    setFocusPolicy(Qt::StrongFocus);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setObjectName("up");
    down_->setObjectName("down");
    connect(up_, &QToolButton::clicked, this, [this] { emit stepped(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { emit stepped(-1); });
}

void CUpDownButtons::SetRange(int low, int high, int position)
{
    low_ = low;
    high_ = high;
    position_ = position;
}

void CUpDownButtons::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up) {
        emit stepped(+1);
    } else if (event->key() == Qt::Key_Down) {
        emit stepped(-1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void CUpDownButtons::resizeEvent(QResizeEvent* event)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
    QWidget::resizeEvent(event);
}

}  // namespace zefan
