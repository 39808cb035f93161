// The behaviour of the fan settings page, free of any window system: which
// fans it lists, the ranges and units of their values, switching fans with
// the save question, the enable box, the up-downs, the reference temperature,
// "Default" and the commit into the fan controller. The plug-in object owns
// one per page and calls Commit/Refresh from OnOK and OnApply; the page's
// widgets (IFanPageView) forward every user action here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fanplugin/FanClass.h"
#include "fanplugin/FanPageReference.h"
#include "fanplugin/FanPageView.h"

namespace hwmon {
class CFanController;
}

namespace zefan {

// The question asked when the user leaves a fan with uncommitted edits.
inline constexpr const char* kSaveQuestion = "Do you want to save the setting?";

struct FanPageSetup {
    // The shown fans in order; the page lists those with smart-fan support.
    // Not owned; they must outlive the model.
    std::vector<hwmon::CFanController*> fans;
    std::vector<FanPageReference> references;
    bool secondCpuFan = false;
    int referenceSelector = 0;
    bool celsius = true;
    // Which board file the fans come from, shown on the page.
    std::string boardFile;
    // Called on every user change (the plug-in sends "DLG_CHANGED").
    std::function<void()> changed;
    // Called when the user answers Yes to the save question: what OnApply
    // does (write the selector, Commit, save). Empty: Commit only.
    std::function<void()> apply;
};

class CFanPageModel {
public:
    explicit CFanPageModel(FanPageSetup setup);

    // Page initialisation: fills the lists, shows the first listed fan and
    // programs the configured settings of fans whose start control is 0.
    // The view must stay alive until DetachView or the model's end.
    void Fill(IFanPageView& view);
    void DetachView();

    // User actions, as the view reports them.
    void OnFanSelected(int index);
    void OnEnableClicked(bool checked);
    // delta > 0 is one step up, otherwise one step down.
    void OnSpin(FanPageValue field, int delta);
    void OnReferenceSelected(int index);
    void OnDefault();

    // Takes the page's values into the current fan's working record (Celsius)
    // and programs them; clears the changed flag. False when there is no fan
    // or a chip write failed (the working record keeps the page's values).
    bool Commit();
    // Shows the current fan's values again (after OnOK's commit and save).
    void Refresh();

    bool IsChanged() const { return changed_; }
    bool IsCelsius() const { return celsius_; }
    int ReferenceSelector() const { return referenceSelector_; }
    // Null when no shown fan has smart-fan support.
    hwmon::CFanController* CurrentFan() const { return current_; }
    int CurrentListIndex() const { return currentIndex_; }

    // The page's values, in the unit shown (target and tolerance) or percent.
    int ShownValue(FanPageValue field) const;
    bool EnableChecked() const { return enableChecked_; }
    bool ValueControlsAvailable() const { return valueControlsAvailable_; }
    bool ReferenceAvailable() const { return referenceAvailable_; }
    // The reference list's selected entry, -1 for none.
    int ReferenceIndex() const { return referenceIndex_; }

private:
    struct Range {
        int low = 0;
        int high = 0;
    };

    void ShowFan();
    void ApplyRanges();
    void ShowValues(bool enable, int targetCelsius, int toleranceCelsius, int start, int stop);
    void ShowField(FanPageValue field, int value);
    void SetValueControls(bool available);
    void SetReference(bool available, int index);
    void SelectBySelector();
    void SelectFirstReference();
    void RunEnableClicked();
    void NotifyChanged();
    Range& RangeOf(FanPageValue field);
    int& ValueOf(FanPageValue field);

    FanPageSetup setup_;
    IFanPageView* view_ = nullptr;
    std::vector<hwmon::CFanController*> listed_;  // fan list entries, in order
    hwmon::CFanController* current_ = nullptr;
    int currentIndex_ = -1;
    bool celsius_;
    bool changed_ = false;
    int referenceSelector_;
    int referenceIndex_ = -1;
    bool referenceAvailable_ = false;
    bool enableChecked_ = false;
    bool valueControlsAvailable_ = false;
    Range target_, tolerance_, start_, stop_;
    int shownTarget_ = 0, shownTolerance_ = 0, shownStart_ = 0, shownStop_ = 0;
};

}  // namespace zefan
