// The mode page as Qt widgets: the connection on top, then one row per mode
// saying what it does now, with a profile choice for the user modes. It shows
// what the page model tells it and hands every choice to the model.
#pragma once

#include <QWidget>

#include <array>

#include "modeplugin/ModePage.h"
#include "modeplugin/OperatingModes.h"

class QComboBox;
class QLabel;

namespace modes {

class CModePageWidget : public QWidget, public IModePageView {
    Q_OBJECT
public:
    CModePageWidget(CModePage& model, QWidget* parent);

    void ShowStatus(const std::string& text) override;
    void ShowModeTip(int mode, const std::string& text) override;
    void ShowUserChoices(int user, const std::vector<std::string>& profiles, int selected) override;

private:
    CModePage& model_;
    QLabel* status_;
    std::array<QLabel*, kModeCount> tips_{};
    std::array<QComboBox*, kUserModeCount> choices_{};
    bool filling_ = false;
};

}  // namespace modes
