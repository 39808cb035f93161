// The frame's dialogs on Qt. The transparency dialog is a small slider
// dialog over CTransDialog. The settings, skin selection and About dialogs
// belong to the settings widgets; until their Qt views exist these entries
// are the seam where they plug in (settings end as Cancel, the others show
// nothing).
#pragma once

#include <QPointer>
#include <QWidget>

#include "FramePorts.h"

class CQtFrameDialogs : public IFrameDialogs {
public:
    explicit CQtFrameDialogs(QWidget* owner) : owner_(owner) {}

    int RunSettings(CSettingDialog& dialog) override;
    bool RunTransparency(CTransDialog& dialog) override;
    void ShowSkinSelection(CSkinSetting& selection) override;
    void ShowAbout() override;
    std::string BrowseForFolder(const std::string& title) override;

private:
    QPointer<QWidget> owner_;
};
