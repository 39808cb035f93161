#include "autoplugin/qt/PacePageWidget.h"

#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include "plugin_api/kit/qt/PageLook.h"

namespace autopace {

CPacePageWidget::CPacePageWidget(CPacePage& model, QWidget* parent) : QWidget(parent), model_(model)
{
    pluginkit::SetPageLook(*this, "AutoPacePage");
    auto* form = new QFormLayout(this);
    form->setContentsMargins(4, 4, 4, 4);
    status_ = new QLabel(this);
    status_->setObjectName("AutoPaceStatus");
    status_->setWordWrap(true);
    form->addRow(status_);
    for (std::size_t i = 0; i < kPaceFields.size(); ++i) {
        labels_[i] = new QLabel(this);
        spins_[i] = new QSpinBox(this);
        spins_[i]->setObjectName(kPaceFields[i].valueName);
        form->addRow(labels_[i], spins_[i]);
        connect(spins_[i], &QSpinBox::valueChanged, this,
                [this, i](int value) { model_.SetValue(static_cast<int>(i), value); });
    }
}

void CPacePageWidget::ShowStatus(const std::string& text)
{
    status_->setText(QString::fromStdString(text));
}

void CPacePageWidget::ShowField(int index, const std::string& label, const std::string& unit, int low, int high,
                                int value)
{
    if (index < 0 || index >= static_cast<int>(spins_.size())) {
        return;
    }
    labels_[index]->setText(QString::fromStdString(label));
    QSpinBox* spin = spins_[index];
    // Filling the page is not the user's edit.
    const QSignalBlocker quiet(spin);
    spin->setSuffix(" " + QString::fromStdString(unit));
    spin->setRange(low, high);
    spin->setValue(value);
}

}  // namespace autopace
