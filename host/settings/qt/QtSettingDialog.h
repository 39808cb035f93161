// Dialog template 106, "Setting": the page list, the page shown, OK, Cancel, Apply.
#pragma once

#include "SettingDialogView.h"

#include <QDialog>
#include <QIcon>

class CSettingDialog;
class CQtGeneralPage;
class QLabel;
class QListWidget;
class QPushButton;

class CQtSettingDialog : public QDialog, public ISettingDialogView {
    Q_OBJECT
public:
    // applicationIcon: the skin's application icon (the general item's icon).
    CQtSettingDialog(CSettingDialog& logic, QIcon applicationIcon, QWidget* parent = nullptr);

    // One modal run: initialise, run, tear down. IDOK (1) or IDCANCEL (2).
    int Run();
    // Initialises without running, for a look at the dialog as opened.
    bool Open();

    VARN_WINDOW Window() override { return static_cast<QWidget*>(this); }
    void ClearPageList() override;
    int AddIconFile(const std::string& path) override;
    int AddApplicationIcon() override;
    void InsertPageItem(int index, const std::string& text, int image) override;
    void ShowPluginPage(VARN_WINDOW page) override;
    void HidePluginPage(VARN_WINDOW page) override;
    void CreateGeneralPage() override;
    void ShowGeneralPage(bool show) override;
    void SetCaption(const std::string& text) override;
    void EnableOk(bool enable) override;
    void EnableApply(bool enable) override;
    void ShowMessage(const std::string& text) override;
    void EndDialog(int result) override;

    void reject() override;

private:
    void PlacePage(QWidget* page);
    void TearDown();

    CSettingDialog& logic_;
    QIcon applicationIcon_;
    QList<QIcon> icons_;
    QListWidget* pageList_;
    QLabel* caption_;
    QPushButton* ok_;
    QPushButton* apply_;
    CQtGeneralPage* generalPage_ = nullptr;
};
