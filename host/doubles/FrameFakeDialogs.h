// Dialog double for the frame: each dialog answers what the test sets and
// is logged ("dialog ...").
#pragma once

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

    int RunSettings(CSettingDialog&) override {
        log_.Add("dialog settings");
        return settingsResult;
    }
    bool RunTransparency(CTransDialog& dialog) override {
        log_.Add("dialog transparency");
        if (transparencyOk) dialog.OnSliderPosition(transparencyLevel);
        return transparencyOk;
    }
    void ShowSkinSelection(CSkinSetting&) override { log_.Add("dialog skin selection"); }
    void ShowAbout() override { log_.Add("dialog about"); }
    std::string BrowseForFolder(const std::string&) override { return browsed; }

private:
    CEventLog& log_;
};
