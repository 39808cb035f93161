#include "QtFrameDialogs.h"

#include <QApplication>
#include <QFileDialog>

#include "QtAboutDlg.h"
#include "QtSettingDialog.h"
#include "QtSkinSetting.h"
#include "QtTransDialog.h"
#include "SettingDialog.h"
#include "SkinSetting.h"
#include "TransDialog.h"

CQtFrameDialogs::~CQtFrameDialogs() { delete skinSelection_.data(); }

int CQtFrameDialogs::RunSettings(CSettingDialog& logic) {
    // The frame already wraps this call in CSettingDialog::DoModal (the mode
    // step and the timer restart after OK). CQtSettingDialog::Run would wrap
    // it a second time and send the plug-ins the mode step twice, so the
    // dialog is opened, run and closed here without that wrapper.
    CQtSettingDialog dialog(logic, owner_ ? owner_->windowIcon() : QIcon(), owner_);
    dialog.Open();
    const int result = RunModal(dialog, [&dialog] { return dialog.exec(); });
    // A window closed without OK or Cancel still gives the pages back.
    logic.OnDestroy();
    return result == CSettingDialog::IDOK ? CSettingDialog::IDOK : CSettingDialog::IDCANCEL;
}

bool CQtFrameDialogs::RunTransparency(CTransDialog& logic) {
    CQtTransDialog dialog(logic, owner_);
    return RunModal(dialog, [&dialog] { return dialog.Run(); }) == 1;
}

void CQtFrameDialogs::ShowSkinSelection(CSkinSetting& selection) {
    // Modeless and created once: closing it only hides it, so the folder and
    // list it shows follow the frame between openings.
    if (!skinSelection_) skinSelection_ = new CQtSkinSetting(selection, owner_);
    skinSelection_->show();
    skinSelection_->raise();
    skinSelection_->activateWindow();
}

void CQtFrameDialogs::ShowAbout() {
    CAboutDlg logic(aboutEntries_ ? aboutEntries_() : std::vector<AboutEntry>{});
    CQtAboutDlg dialog(logic, owner_ ? owner_->windowIcon() : QIcon(), owner_);
    RunModal(dialog, [&dialog] { return dialog.Run(); });
}

std::string CQtFrameDialogs::BrowseForFolder(const std::string& title) {
    return QFileDialog::getExistingDirectory(owner_, QString::fromStdString(title)).toStdString();
}

int CQtFrameDialogs::RunModal(QDialog& dialog, const std::function<int()>& run) {
    running_.emplace_back(&dialog);
    const int result = run();
    std::erase_if(running_, [&dialog](const QPointer<QDialog>& entry) { return entry.isNull() || entry == &dialog; });
    return result;
}

void CQtFrameDialogs::EndModalRuns() {
    // done() only hides the dialog and ends its event loop; the settings
    // dialog's pages are given back by its run once that loop returns, not
    // here, where a plug-in's own code may still be below on the stack.
    for (auto it = running_.rbegin(); it != running_.rend(); ++it)
        if (*it) (*it)->done(QDialog::Rejected);
}
