// Dialog double for the frame: each dialog answers what the test sets and
// is logged ("dialog ...").
#pragma once

#include <functional>
#include <string>

#include "EventLog.h"
#include "FramePorts.h"
#include "SettingDialog.h"
#include "TransDialog.h"

class CFrameFakeDialogs : public IFrameDialogs {
public:
    explicit CFrameFakeDialogs(CEventLog& log) : log_(log) {}

    int settingsResult = CSettingDialog::IDCANCEL;
    bool transparencyOk = false;
    int transparencyLevel = 200;  // chosen in the dialog when it ends with OK
    std::string browsed;
    // Run while the dialog is open, as its event loop would run events.
    std::function<void(CSettingDialog&)> duringSettings;
    std::function<void()> duringTransparency;
    int modalEnds = 0;

    int RunSettings(CSettingDialog& dialog) override {
        log_.Add("dialog settings");
        if (duringSettings) duringSettings(dialog);
        return modalEnds > 0 ? CSettingDialog::IDCANCEL : settingsResult;
    }
    // The slider is moved to transparencyLevel whether the dialog then ends
    // with OK or not.
    bool RunTransparency(CTransDialog& dialog) override {
        log_.Add("dialog transparency");
        dialog.OnSliderPosition(transparencyLevel);
        if (duringTransparency) duringTransparency();
        return transparencyOk && modalEnds == 0;
    }
    void EndModalRuns() override {
        ++modalEnds;
        log_.Add("dialog end modal");
    }
    void ShowSkinSelection(CSkinSetting&) override { log_.Add("dialog skin selection"); }
    void ShowAbout() override { log_.Add("dialog about"); }
    std::string BrowseForFolder(const std::string&) override { return browsed; }

private:
    CEventLog& log_;
};
