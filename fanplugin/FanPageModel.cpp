#include "fanplugin/FanPageModel.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "hwmon/FanController.h"
#include "plugin_api/kit/TemperatureUnits.h"

namespace zefan {
namespace {

using pluginkit::TargetCelsiusToFahrenheit;
using pluginkit::TargetFahrenheitToCelsius;
using pluginkit::ToleranceCelsiusToFahrenheit;
using pluginkit::ToleranceFahrenheitToCelsius;

constexpr int kTemperatureStep = 1;
constexpr int kPercentStep = 10;

// The reference selector picks the source of output 0x28's thermal cruise,
// the output whose speed is measured on this pin.
constexpr const char* kSystemFanPin = "SYSFANIN";

bool EqualsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

bool IsPercent(FanPageValue field)
{
    return field == FanPageValue::Start || field == FanPageValue::Stop;
}

// One step of an up-down. It never leaves its range, and a value shown from
// outside the range (a board's configured value) moves into it rather than
// further away, so no press can produce, say, 105 %.
int StepWithin(int value, int delta, int low, int high)
{
    if (delta > 0) {
        return value < high ? std::min(std::max(value + delta, low), high) : value;
    }
    return value > low ? std::max(std::min(value + delta, high), low) : value;
}

class CNoView final : public IFanPageView {
public:
    void SetFanItems(const std::vector<std::string>&) override {}
    void SelectFan(int) override {}
    void SetEnableChecked(bool) override {}
    void SetEnableCheckAvailable(bool) override {}
    void SetReferenceItems(const std::vector<std::string>&) override {}
    void SelectReference(int) override {}
    void SetReferenceAvailable(bool) override {}
    void SetValueText(FanPageValue, const std::string&) override {}
    void SetSpin(FanPageValue, int, int, int) override {}
    void SetValueControlsAvailable(bool) override {}
    void SetUnitLabels(const std::string&) override {}
    void SetBoardFileText(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
};

}  // namespace

IFanPageView& NoFanPageView()
{
    static CNoView none;
    return none;
}

CFanPageModel::CFanPageModel(FanPageSetup setup)
    : setup_(std::move(setup)),
      view_(&NoFanPageView()),
      celsius_(setup_.celsius),
      referenceSelector_(setup_.referenceSelector)
{
}

void CFanPageModel::DetachView()
{
    view_ = &NoFanPageView();
}

void CFanPageModel::Fill(IFanPageView& view)
{
    view_ = &view;
    view_->SetBoardFileText(setup_.boardFile);

    std::vector<std::string> referenceNames;
    for (const FanPageReference& reference : setup_.references) {
        referenceNames.push_back(reference.name);
    }
    view_->SetReferenceItems(referenceNames);
    SetReference(false, referenceSelector_ >= 0 &&
                                referenceSelector_ < static_cast<int>(referenceNames.size())
                            ? referenceSelector_
                            : -1);

    listed_.clear();
    std::vector<std::string> fanNames;
    for (hwmon::CFanController* fan : setup_.fans) {
        if (fan == nullptr) {
            continue;
        }
        if (fan->GetSmartFanSupport()) {
            listed_.push_back(fan);
            fanNames.push_back(fan->GetName());
        }
        // Thermal cruise would hold a fan with start control 0 at a
        // standstill; such a fan gets the board's own settings.
        if (fan->GetStartCtrl() == 0) {
            fan->ProgramSettings(fan->GetConfiguredItem());
        }
    }
    view_->SetFanItems(fanNames);
    view_->SetUnitLabels(celsius_ ? "C" : "F");

    if (listed_.empty()) {
        // Nothing to edit: a page with no fan offers no control to change.
        current_ = nullptr;
        currentIndex_ = -1;
        view_->SetEnableCheckAvailable(false);
        SetValueControls(false);
        return;
    }
    currentIndex_ = 0;
    current_ = listed_.front();
    view_->SelectFan(0);
    view_->SetEnableCheckAvailable(true);

    ApplyRanges();
    switch (ClassifyFan(current_->GetName())) {
    case FanClass::Cpu:
        SetReference(false, 0);
        break;
    case FanClass::System:
        SetReference(setup_.secondCpuFan, referenceIndex_);
        SelectBySelector();
        break;
    case FanClass::Other:
        break;
    }
    const hwmon::FanItemRecord& record = current_->GetWorkingRecord();
    ShowValues(record.smartFanEnable, record.targetTemp, record.toleranceTemp, record.startCtrl,
               record.stopCtrl);
    SetValueControls(enableChecked_);
}

void CFanPageModel::OnFanSelected(int index)
{
    if (index < 0 || index >= static_cast<int>(listed_.size())) {
        return;
    }
    if (changed_) {
        if (view_->AskYesNo(kSaveQuestion)) {
            if (setup_.apply) {
                setup_.apply();
            } else {
                Commit();
            }
        } else {
            changed_ = false;
        }
    }
    // The entry itself names the fan: two fans whose names contain one
    // another stay apart.
    currentIndex_ = index;
    current_ = listed_[static_cast<std::size_t>(index)];
    ShowFan();
}

void CFanPageModel::Refresh()
{
    if (current_ != nullptr) {
        ShowFan();
    }
}

void CFanPageModel::ShowFan()
{
    ApplyRanges();
    const hwmon::FanItemRecord& record = current_->GetWorkingRecord();
    ShowValues(record.smartFanEnable, record.targetTemp, record.toleranceTemp, record.startCtrl,
               record.stopCtrl);
    if (enableChecked_) {
        SetValueControls(true);
        if (current_->GetSmartFanEnable() && current_->GetPinName() == kSystemFanPin) {
            SetReference(setup_.secondCpuFan, referenceIndex_);
            SelectBySelector();
        } else {
            SetReference(false, 0);
        }
    } else {
        SetValueControls(false);
        SetReference(false, 0);
    }
}

void CFanPageModel::OnEnableClicked(bool checked)
{
    if (current_ == nullptr) {
        return;
    }
    enableChecked_ = checked;
    RunEnableClicked();
}

void CFanPageModel::RunEnableClicked()
{
    changed_ = true;
    NotifyChanged();
    SetValueControls(enableChecked_);
    switch (ClassifyFan(current_->GetName())) {
    case FanClass::Cpu:
        SetReference(false, 0);
        break;
    case FanClass::System:
        SelectBySelector();
        SetReference(setup_.secondCpuFan && enableChecked_, referenceIndex_);
        break;
    case FanClass::Other:
        break;
    }
}

void CFanPageModel::OnSpin(FanPageValue field, int delta)
{
    if (current_ == nullptr || !valueControlsAvailable_) {
        return;
    }
    changed_ = true;
    NotifyChanged();
    const Range& range = RangeOf(field);
    const int step = IsPercent(field) ? kPercentStep : kTemperatureStep;
    ShowField(field, StepWithin(ValueOf(field), delta > 0 ? step : -step, range.low, range.high));
}

void CFanPageModel::OnReferenceSelected(int index)
{
    if (index < 0 || index >= static_cast<int>(setup_.references.size())) {
        return;
    }
    referenceIndex_ = index;
    NotifyChanged();
    const std::string& text = setup_.references[static_cast<std::size_t>(index)].name;
    for (const FanPageReference& reference : setup_.references) {
        if (EqualsIgnoringCase(reference.name, text)) {
            referenceSelector_ = reference.selector;
        }
    }
}

void CFanPageModel::OnDefault()
{
    if (current_ == nullptr) {
        return;
    }
    const hwmon::FanItemRecord& configured = current_->GetConfiguredItem();
    current_->ProgramSettings(configured);
    // A failed chip write leaves the page showing what was asked for; the
    // enable shows what the fan ended up with (a second processor's fan on a
    // single-processor machine is switched off).
    ShowValues(current_->GetSmartFanEnable(), configured.targetTemp, configured.toleranceTemp,
               configured.startCtrl, configured.stopCtrl);
    RunEnableClicked();
}

bool CFanPageModel::Commit()
{
    changed_ = false;
    if (current_ == nullptr) {
        return false;
    }
    hwmon::FanItemRecord& record = current_->WorkingRecord();
    record.smartFanEnable = enableChecked_;
    record.targetTemp = celsius_ ? shownTarget_ : TargetFahrenheitToCelsius(shownTarget_);
    record.toleranceTemp =
        celsius_ ? shownTolerance_ : ToleranceFahrenheitToCelsius(shownTolerance_);
    record.startCtrl = shownStart_;
    record.stopCtrl = shownStop_;
    return current_->ProgramWorkingRecord();
}

int CFanPageModel::ShownValue(FanPageValue field) const
{
    switch (field) {
    case FanPageValue::Target:
        return shownTarget_;
    case FanPageValue::Tolerance:
        return shownTolerance_;
    case FanPageValue::Start:
        return shownStart_;
    case FanPageValue::Stop:
        return shownStop_;
    }
    return 0;
}

void CFanPageModel::ApplyRanges()
{
    const FanClassRanges& ranges = RangesOf(ClassifyFan(current_->GetName()));
    if (celsius_) {
        target_ = {ranges.targetLowCelsius, ranges.targetHighCelsius};
        tolerance_ = {ranges.toleranceLowCelsius, ranges.toleranceHighCelsius};
    } else {
        target_ = {TargetCelsiusToFahrenheit(ranges.targetLowCelsius),
                   TargetCelsiusToFahrenheit(ranges.targetHighCelsius)};
        tolerance_ = {ToleranceCelsiusToFahrenheit(ranges.toleranceLowCelsius),
                      ToleranceCelsiusToFahrenheit(ranges.toleranceHighCelsius)};
    }
    start_ = {ranges.startLowPercent, ranges.startHighPercent};
    stop_ = {ranges.stopLowPercent, ranges.stopHighPercent};
}

void CFanPageModel::ShowValues(bool enable, int targetCelsius, int toleranceCelsius, int start,
                               int stop)
{
    ShowField(FanPageValue::Target,
              celsius_ ? targetCelsius : TargetCelsiusToFahrenheit(targetCelsius));
    ShowField(FanPageValue::Tolerance,
              celsius_ ? toleranceCelsius : ToleranceCelsiusToFahrenheit(toleranceCelsius));
    ShowField(FanPageValue::Start, start);
    ShowField(FanPageValue::Stop, stop);
    enableChecked_ = enable;
    view_->SetEnableChecked(enable);
}

void CFanPageModel::ShowField(FanPageValue field, int value)
{
    ValueOf(field) = value;
    const Range& range = RangeOf(field);
    view_->SetSpin(field, range.low, range.high, value);
    view_->SetValueText(field, std::to_string(value) + (IsPercent(field) ? "%" : ""));
}

void CFanPageModel::SetValueControls(bool available)
{
    valueControlsAvailable_ = available;
    view_->SetValueControlsAvailable(available);
}

void CFanPageModel::SetReference(bool available, int index)
{
    referenceAvailable_ = available;
    view_->SetReferenceAvailable(available);
    if (index >= static_cast<int>(setup_.references.size())) {
        index = -1;
    }
    referenceIndex_ = index;
    view_->SelectReference(index);
}

void CFanPageModel::SelectBySelector()
{
    const std::string* name = nullptr;
    for (const FanPageReference& reference : setup_.references) {
        if (reference.selector == referenceSelector_) {
            name = &reference.name;
        }
    }
    if (name == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < setup_.references.size(); ++i) {
        if (EqualsIgnoringCase(setup_.references[i].name, *name)) {
            referenceIndex_ = static_cast<int>(i);
        }
    }
    view_->SelectReference(referenceIndex_);
}

void CFanPageModel::NotifyChanged()
{
    if (setup_.changed) {
        setup_.changed();
    }
}

CFanPageModel::Range& CFanPageModel::RangeOf(FanPageValue field)
{
    switch (field) {
    case FanPageValue::Target:
        return target_;
    case FanPageValue::Tolerance:
        return tolerance_;
    case FanPageValue::Start:
        return start_;
    case FanPageValue::Stop:
        break;
    }
    return stop_;
}

int& CFanPageModel::ValueOf(FanPageValue field)
{
    switch (field) {
    case FanPageValue::Target:
        return shownTarget_;
    case FanPageValue::Tolerance:
        return shownTolerance_;
    case FanPageValue::Start:
        return shownStart_;
    case FanPageValue::Stop:
        break;
    }
    return shownStop_;
}

}  // namespace zefan
