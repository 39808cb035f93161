// The frame's dialogs on Qt: each entry opens the settings widgets' dialog
// over the frame's logic object. The rules stay in that logic and in the
// frame; these entries only create, run and close the widgets.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "AboutDlg.h"
#include "FramePorts.h"

class CQtSkinSetting;

class CQtFrameDialogs : public IFrameDialogs {
public:
    explicit CQtFrameDialogs(QWidget* owner) : owner_(owner) {}
    ~CQtFrameDialogs() override;
    CQtFrameDialogs(const CQtFrameDialogs&) = delete;
    CQtFrameDialogs& operator=(const CQtFrameDialogs&) = delete;

    // The About list is the frame's; it is read each time the dialog opens.
    void SetAboutEntries(std::function<std::vector<AboutEntry>()> entries) { aboutEntries_ = std::move(entries); }

    int RunSettings(CSettingDialog& dialog) override;
    bool RunTransparency(CTransDialog& dialog) override;
    void ShowSkinSelection(CSkinSetting& selection) override;
    void ShowAbout() override;
    std::string BrowseForFolder(const std::string& title) override;
    void EndModalRuns() override;

private:
    // Runs dialog modally; EndModalRuns can end it meanwhile.
    int RunModal(QDialog& dialog, const std::function<int()>& run);

    QPointer<QWidget> owner_;
    QPointer<CQtSkinSetting> skinSelection_;
    std::function<std::vector<AboutEntry>()> aboutEntries_;
    std::vector<QPointer<QDialog>> running_;  // innermost last
};
