// The monitor's page as Qt widgets: how the limits are used on top, then one
// row per item (watched, low and high limit, beep, power-off) in a scrolling
// list, and below it why the edits cannot be stored or how the last commit
// went. It shows what the page model tells it and hands every edit to it.
#pragma once

#include <QWidget>

#include <vector>

#include "monplugin/MonitorPage.h"

class QCheckBox;
class QDoubleSpinBox;
class QGridLayout;
class QLabel;

namespace monitor {

class CMonitorPageWidget : public QWidget, public IMonitorPageView {
    Q_OBJECT
public:
    CMonitorPageWidget(CMonitorPage& model, QWidget* parent);

    void ShowExplanation(const std::string& text) override;
    void ShowRow(int index, const PageRow& row) override;
    void ShowMessage(const std::string& text, bool problem) override;

private:
    struct Row {
        QCheckBox* enabled;
        QDoubleSpinBox* low;
        QDoubleSpinBox* high;
        QCheckBox* beep;
        QCheckBox* powerOff;
    };
    Row& RowAt(int index);

    CMonitorPage& model_;
    QLabel* explanation_;
    QGridLayout* grid_;
    QLabel* message_;
    std::vector<Row> rows_;
};

}  // namespace monitor
