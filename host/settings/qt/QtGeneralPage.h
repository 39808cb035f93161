// Dialog template 110: the general settings page as a child widget.
#pragma once

#include "GeneralPageView.h"

#include <QWidget>

class CGeneralSettingDlg;
class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;

class CQtGeneralPage : public QWidget, public IGeneralPageView {
    Q_OBJECT
public:
    CQtGeneralPage(CGeneralSettingDlg& logic, QWidget* parent);

    void SetIntervalRange(int lowest, int highest) override;
    void SetIntervalPosition(int seconds) override;
    int IntervalPosition() override;
    void ShowIntervalControls(bool show) override;
    void SetFahrenheit(bool fahrenheit) override;
    void SetAutoStartChecked(bool checked) override;
    void SetMinimizeChecked(bool checked) override;
    void SetChangeAtStartChecked(bool checked) override;

private:
    CGeneralSettingDlg& logic_;
    QCheckBox* autoStart_;
    QCheckBox* minimize_;
    QCheckBox* changeAtStart_;
    QLabel* intervalLabel_;
    QSpinBox* interval_;
    QLabel* secLabel_;
    QRadioButton* celsius_;
    QRadioButton* fahrenheit_;
};
