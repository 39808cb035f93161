// What the fan settings page shows, as the page model drives it. The Qt page
// implements it and hands every user action to CFanPageModel; tests use a
// recording double.
#pragma once

#include <string>
#include <vector>

namespace zefan {

// The four value fields, each a read-only edit with an up-down beside it.
enum class FanPageValue { Target, Tolerance, Start, Stop };

class IFanPageView {
public:
    virtual ~IFanPageView() = default;

    // Fan list (control 15000).
    virtual void SetFanItems(const std::vector<std::string>& names) = 0;
    virtual void SelectFan(int index) = 0;

    // "Enable ZEFAN" check box (15001).
    virtual void SetEnableChecked(bool checked) = 0;
    virtual void SetEnableCheckAvailable(bool available) = 0;

    // Reference temperature list (15007).
    virtual void SetReferenceItems(const std::vector<std::string>& names) = 0;
    virtual void SelectReference(int index) = 0;
    virtual void SetReferenceAvailable(bool available) = 0;

    // One value field: the edit's text and the up-down's range and position.
    virtual void SetValueText(FanPageValue field, const std::string& text) = 0;
    virtual void SetSpin(FanPageValue field, int low, int high, int position) = 0;
    // The four edits and four up-downs together.
    virtual void SetValueControlsAvailable(bool available) = 0;

    // Unit labels beside target and tolerance (15016, 15017): "C" or "F".
    virtual void SetUnitLabels(const std::string& unit) = 0;

    // A line naming the board file the fans come from.
    virtual void SetBoardFileText(const std::string& text) = 0;

    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
};

// A view that shows nothing and answers No: stands in while no page exists,
// or once the host has destroyed the page with its dialog.
IFanPageView& NoFanPageView();

}  // namespace zefan
