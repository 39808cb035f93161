#include "QtTransDialog.h"

#include "DialogUnits.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

using settings_qt::Place;
using settings_qt::PlaceText;
using settings_qt::Px;

CQtTransDialog::CQtTransDialog(CTransDialog& logic, QWidget* parent) : QDialog(parent), logic_(logic) {
    setWindowTitle("Transparent Setting");
    setObjectName("TransDialog");
    setFixedSize(Px(191), Px(53));
    auto* text = new QLabel("Slide the control to set the transparency of the window", this);
    PlaceText(text, 7, 7, 178, 9);
    if (text->geometry().right() + Px(7) > width()) setFixedSize(text->geometry().right() + Px(7), height());
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName("TransparencySlider");
    slider_->setTickPosition(QSlider::NoTicks);
    Place(slider_, 7, 19, 141, 12);
    percent_ = new QLabel(this);
    percent_->setObjectName("Percent");
    percent_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    percent_->setAlignment(Qt::AlignCenter);
    Place(percent_, 152, 18, 32, 11);
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    Place(ok, 143, 33, 41, 13);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(slider_, &QSlider::valueChanged, this, [this](int value) { logic_.OnSliderPosition(value); });
}

int CQtTransDialog::Run() {
    Open();
    return exec() == QDialog::Accepted ? 1 : 2;
}

void CQtTransDialog::SetRange(int lowest, int highest) {
    const QSignalBlocker block(slider_);
    slider_->setRange(lowest, highest);
}

void CQtTransDialog::SetPosition(int position) {
    const QSignalBlocker block(slider_);
    slider_->setValue(position);
}

void CQtTransDialog::SetPercentText(const std::string& text) { percent_->setText(QString::fromStdString(text)); }
