// The opacity chooser: a slider from 103 (40%, so the window never becomes
// nearly invisible) to 255 with its percentage beside it.
#pragma once

#include <string>

class IRegistryHives;

class ITransDialogView {
public:
    virtual ~ITransDialogView() = default;
    virtual void SetRange(int lowest, int highest) = 0;
    virtual void SetPosition(int position) = 0;
    virtual void SetPercentText(const std::string& text) = 0;
};

class CTransDialog {
public:
    static constexpr int kMinAlpha = 103;
    static constexpr int kMaxAlpha = 255;

    int GetAlpha() const { return m_alpha; }
    // The level the main frame stored ("TRANS"), so the slider opens where the
    // window is after a restart; absent leaves 255.
    void LoadStoredAlpha(IRegistryHives* hives = nullptr);

    void OnInitDialog(ITransDialogView& view);
    // The slider's position whenever it is drawn.
    void OnSliderPosition(int position);

    static std::string PercentText(int alpha);

private:
    ITransDialogView* view_ = nullptr;
    int m_alpha = kMaxAlpha;
};
