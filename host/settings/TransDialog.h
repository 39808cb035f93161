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
    // The level the window has: the stored one, then each one chosen with
    // OK. This is what is stored at exit, also while the dialog is open.
    int AppliedAlpha() const { return applied_; }
    // The level the main frame stored ("TRANS"), so the slider opens where the
    // window is after a restart; absent leaves 255.
    void LoadStoredAlpha(IRegistryHives* hives = nullptr);

    // One modal run: runModal shows the dialog and returns true when it
    // ended with OK. Any other end puts the level back where it was, so a
    // cancelled slider move is neither applied nor stored.
    template <class RunModal>
    bool DoModal(RunModal runModal) {
        const bool ok = runModal();
        if (ok) applied_ = m_alpha;
        else m_alpha = applied_;
        return ok;
    }

    void OnInitDialog(ITransDialogView& view);
    // The slider's position whenever it is drawn.
    void OnSliderPosition(int position);

    static std::string PercentText(int alpha);

private:
    ITransDialogView* view_ = nullptr;
    int m_alpha = kMaxAlpha;
    int applied_ = kMaxAlpha;
};
