// Dialog template 109, "Skin": modeless; Close only hides it.
#pragma once

#include "SkinSetting.h"

#include <QDialog>

class QLineEdit;
class QListWidget;

class CQtFolderBrowser : public IFolderBrowser {
public:
    std::string BrowseForFolder(const std::string& title) override;
};

class CQtSkinSetting : public QDialog, public ISkinSettingView {
    Q_OBJECT
public:
    // Initialises at once, as the window is created hidden at the frame's start.
    CQtSkinSetting(CSkinSetting& logic, QWidget* parent = nullptr);

    void SetFolderText(const std::string& folder) override;
    void ClearList() override;
    void AppendListItem(const std::string& text) override;
    void SelectListItem(int index) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    CSkinSetting& logic_;
    QLineEdit* folder_;
    QListWidget* list_;
};
