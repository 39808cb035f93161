#include "QtGeneralPage.h"

#include "DialogUnits.h"
#include "GeneralSettingDlg.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

using settings_qt::Place;
using settings_qt::PlaceText;
using settings_qt::Px;

namespace {

// The up-down's buddy is read-only: the arrows alone change the interval.
class ReadOnlySpinBox : public QSpinBox {
public:
    explicit ReadOnlySpinBox(QWidget* parent) : QSpinBox(parent) { lineEdit()->setReadOnly(true); }
};

}  // namespace

CQtGeneralPage::CQtGeneralPage(CGeneralSettingDlg& logic, QWidget* parent)
    : QWidget(parent), logic_(logic) {
    setObjectName("GeneralPage");
    resize(Px(226), Px(90));
    autoStart_ = new QCheckBox("Start when system power on", this);
    PlaceText(autoStart_, 7, 9, 108, 10);
    minimize_ = new QCheckBox("Minimize when execute", this);
    PlaceText(minimize_, 7, 22, 89, 10);
    intervalLabel_ = new QLabel("Update timer Interval:", this);
    PlaceText(intervalLabel_, 7, 38, 74, 9);
    interval_ = new ReadOnlySpinBox(this);
    Place(interval_, 84, 36, 37, 14);
    if (intervalLabel_->geometry().right() + 6 > interval_->x()) interval_->move(intervalLabel_->geometry().right() + 6, interval_->y());
    secLabel_ = new QLabel("Sec", this);
    PlaceText(secLabel_, 126, 38, 14, 9);
    secLabel_->move(std::max(secLabel_->x(), interval_->geometry().right() + 8), secLabel_->y());
    celsius_ = new QRadioButton("Celsius", this);
    PlaceText(celsius_, 7, 57, 40, 10);
    fahrenheit_ = new QRadioButton("Fahrenheit", this);
    PlaceText(fahrenheit_, 58, 57, 52, 10);
    fahrenheit_->move(std::max(fahrenheit_->x(), celsius_->geometry().right() + 12), fahrenheit_->y());
    auto* units = new QButtonGroup(this);
    units->addButton(celsius_);
    units->addButton(fahrenheit_);
    changeAtStart_ = new QCheckBox("Automatically change to last operate mode when execute", this);
    PlaceText(changeAtStart_, 7, 71, 196, 14);
    changeAtStart_->setVisible(false);  // kept, stored, never shown

    connect(autoStart_, &QCheckBox::clicked, this, [this] { logic_.OnAutoStartClicked(); });
    connect(minimize_, &QCheckBox::clicked, this, [this] { logic_.OnMinimizeClicked(); });
    connect(changeAtStart_, &QCheckBox::clicked, this, [this] { logic_.OnChangeAtStartClicked(); });
    connect(interval_, &QSpinBox::valueChanged, this, [this] { logic_.OnIntervalDelta(); });
    connect(celsius_, &QRadioButton::clicked, this, [this] { logic_.OnCelsiusClicked(); });
    connect(fahrenheit_, &QRadioButton::clicked, this, [this] { logic_.OnFahrenheitClicked(); });
}

void CQtGeneralPage::SetIntervalRange(int lowest, int highest) {
    const QSignalBlocker block(interval_);
    interval_->setRange(lowest, highest);
}

void CQtGeneralPage::SetIntervalPosition(int seconds) {
    const QSignalBlocker block(interval_);
    interval_->setValue(seconds);
}

int CQtGeneralPage::IntervalPosition() { return interval_->value(); }

void CQtGeneralPage::ShowIntervalControls(bool show) {
    intervalLabel_->setVisible(show);
    interval_->setVisible(show);
    secLabel_->setVisible(show);
}

void CQtGeneralPage::SetFahrenheit(bool fahrenheit) {
    (fahrenheit ? fahrenheit_ : celsius_)->setChecked(true);
}

void CQtGeneralPage::SetAutoStartChecked(bool checked) { autoStart_->setChecked(checked); }
void CQtGeneralPage::SetMinimizeChecked(bool checked) { minimize_->setChecked(checked); }
void CQtGeneralPage::SetChangeAtStartChecked(bool checked) { changeAtStart_->setChecked(checked); }
