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
    const int result = dialog.exec();
    // A window closed without OK or Cancel still gives the pages back.
    logic.OnDestroy();
    return result == CSettingDialog::IDOK ? CSettingDialog::IDOK : CSettingDialog::IDCANCEL;
}

bool CQtFrameDialogs::RunTransparency(CTransDialog& logic) {
    CQtTransDialog dialog(logic, owner_);
    return dialog.Run() == 1;
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
    CAboutDlg logic(aboutEntries_ ? aboutEntries_() : std::vector<AboutEntry>{}, nullptr, backendLine_);
    CQtAboutDlg dialog(logic, owner_ ? owner_->windowIcon() : QIcon(), owner_);
    dialog.Run();
}

std::string CQtFrameDialogs::BrowseForFolder(const std::string& title) {
    return QFileDialog::getExistingDirectory(owner_, QString::fromStdString(title)).toStdString();
}
