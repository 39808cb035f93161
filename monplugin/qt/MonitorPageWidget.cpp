#include "monplugin/qt/MonitorPageWidget.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "plugin_api/kit/DataDocument.h"
#include "plugin_api/kit/qt/PageLook.h"

namespace monitor {

namespace {

constexpr const char* kHeaders[] = {"Reading", "Low", "High", "Beep", "Power off"};

QDoubleSpinBox* LimitBox(QWidget* parent, const QString& name)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setKeyboardTracking(false);
    return box;
}

void Fill(QDoubleSpinBox* box, const PageRow& row, double value)
{
    const QSignalBlocker quiet(box);
    box->setDecimals(row.decimals);
    box->setRange(row.minimum, row.maximum);
    box->setSuffix(" " + QString::fromStdString(row.unit));
    box->setValue(value);
}

void Fill(QCheckBox* box, bool on)
{
    const QSignalBlocker quiet(box);
    box->setChecked(on);
}

}  // namespace

CMonitorPageWidget::CMonitorPageWidget(CMonitorPage& model, QWidget* parent) : QWidget(parent), model_(model)
{
    pluginkit::SetPageLook(*this, "MonitorPage");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    explanation_ = new QLabel(this);
    explanation_->setObjectName("MonitorExplanation");
    explanation_->setWordWrap(true);
    layout->addWidget(explanation_);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* list = new QWidget(scroll);
    grid_ = new QGridLayout(list);
    grid_->setContentsMargins(2, 2, 2, 2);
    for (int column = 0; column < static_cast<int>(std::size(kHeaders)); ++column) {
        grid_->addWidget(new QLabel(kHeaders[column], list), 0, column);
    }
    grid_->setColumnStretch(0, 1);
    scroll->setWidget(list);
    layout->addWidget(scroll, 1);

    message_ = new QLabel(this);
    message_->setObjectName("MonitorMessage");
    message_->setTextFormat(Qt::PlainText);  // it names items from the board file
    message_->setWordWrap(true);
    layout->addWidget(message_);
}

CMonitorPageWidget::Row& CMonitorPageWidget::RowAt(int index)
{
    QWidget* list = grid_->parentWidget();
    while (static_cast<int>(rows_.size()) <= index) {
        const int i = static_cast<int>(rows_.size());
        const QString n = QString::number(i);
        Row row{new QCheckBox(list), LimitBox(list, "MonitorLow" + n), LimitBox(list, "MonitorHigh" + n),
                new QCheckBox(list), new QCheckBox(list)};
        row.enabled->setObjectName("MonitorEnable" + n);
        row.beep->setObjectName("MonitorBeep" + n);
        row.powerOff->setObjectName("MonitorPowerOff" + n);
        grid_->addWidget(row.enabled, i + 1, 0);
        grid_->addWidget(row.low, i + 1, 1);
        grid_->addWidget(row.high, i + 1, 2);
        grid_->addWidget(row.beep, i + 1, 3);
        grid_->addWidget(row.powerOff, i + 1, 4);
        connect(row.enabled, &QCheckBox::toggled, this, [this, i](bool on) { model_.SetEnabled(i, on); });
        connect(row.low, &QDoubleSpinBox::valueChanged, this, [this, i](double v) { model_.SetLow(i, v); });
        connect(row.high, &QDoubleSpinBox::valueChanged, this, [this, i](double v) { model_.SetHigh(i, v); });
        connect(row.beep, &QCheckBox::toggled, this, [this, i](bool on) { model_.SetBeep(i, on); });
        connect(row.powerOff, &QCheckBox::toggled, this, [this, i](bool on) { model_.SetPowerOff(i, on); });
        rows_.push_back(row);
    }
    return rows_[index];
}

void CMonitorPageWidget::ShowExplanation(const std::string& text)
{
    explanation_->setText(QString::fromStdString(text));
}

void CMonitorPageWidget::ShowRow(int index, const PageRow& shown)
{
    if (index < 0) {
        return;
    }
    Row& row = RowAt(index);
    row.enabled->setText(QString::fromStdString(shown.caption));
    row.enabled->setToolTip(shown.problem.empty() ? QStringLiteral("Watch this reading")
                                                  : QString::fromStdString(pluginkit::InertText("Unavailable: " + shown.problem)));
    Fill(row.enabled, shown.enabled);
    Fill(row.low, shown, shown.low);
    Fill(row.high, shown, shown.high);
    row.low->setToolTip(shown.lowClears ? QStringLiteral("The warning clears at or below this")
                                        : QStringLiteral("Warns below this"));
    row.high->setToolTip(QStringLiteral("Warns above this"));
    Fill(row.beep, shown.beep);
    row.beep->setEnabled(shown.beepAvailable);
    Fill(row.powerOff, shown.powerOff);
}

void CMonitorPageWidget::ShowMessage(const std::string& text, bool problem)
{
    message_->setText(QString::fromStdString(text));
    message_->setStyleSheet(problem ? QStringLiteral("color: #c00000;") : QString());
}

}  // namespace monitor
