// The automatic mode's page as Qt widgets: its state on top, then one spin
// box per setting. It shows what the page model tells it and hands every
// edit to the model.
#pragma once

#include <QWidget>

#include <array>

#include "autoplugin/PacePage.h"

class QLabel;
class QSpinBox;

namespace autopace {

class CPacePageWidget : public QWidget, public IPacePageView {
    Q_OBJECT
public:
    CPacePageWidget(CPacePage& model, QWidget* parent);

    void ShowStatus(const std::string& text) override;
    void ShowField(int index, const std::string& label, const std::string& unit, int low, int high,
                   int value) override;

private:
    CPacePage& model_;
    QLabel* status_;
    std::array<QLabel*, kPaceFields.size()> labels_{};
    std::array<QSpinBox*, kPaceFields.size()> spins_{};
};

}  // namespace autopace
