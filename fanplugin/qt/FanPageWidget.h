// The fan settings page as Qt widgets, laid out like dialog template 15000.
// It shows what the page model tells it and hands every user action to the
// model; it holds no rule of its own.
#pragma once

#include <QWidget>

#include <array>

#include "fanplugin/FanPageView.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zefan {

class CFanPageModel;
class CUpDownButtons;

class CFanPageWidget : public QWidget, public IFanPageView {
    Q_OBJECT
public:
    // The model must outlive the widget or be detached from it first.
    CFanPageWidget(CFanPageModel& model, QWidget* parent);
    ~CFanPageWidget() override;

    void SetFanItems(const std::vector<std::string>& names) override;
    void SelectFan(int index) override;
    void SetEnableChecked(bool checked) override;
    void SetEnableCheckAvailable(bool available) override;
    void SetReferenceItems(const std::vector<std::string>& names) override;
    void SelectReference(int index) override;
    void SetReferenceAvailable(bool available) override;
    void SetValueText(FanPageValue field, const std::string& text) override;
    void SetSpin(FanPageValue field, int low, int high, int position) override;
    void SetValueControlsAvailable(bool available) override;
    void SetUnitLabels(const std::string& unit) override;
    void SetBoardFileText(const std::string& text) override;
    bool AskYesNo(const std::string& question) override;

private:
    CFanPageModel& model_;
    QComboBox* fanList_;
    QCheckBox* enable_;
    QComboBox* referenceList_;
    std::array<QLineEdit*, 4> edits_{};
    std::array<CUpDownButtons*, 4> spins_{};
    QLabel* targetUnit_;
    QLabel* toleranceUnit_;
    QLabel* boardFile_;
    QPushButton* default_;
};

}  // namespace zefan
