// Dialog template 111, "About".
#pragma once

#include "AboutDlg.h"

#include <QDialog>
#include <QIcon>

class QLabel;
class QTreeWidget;

class CQtAboutDlg : public QDialog, public IAboutView {
    Q_OBJECT
public:
    CQtAboutDlg(CAboutDlg& logic, const QIcon& applicationIcon, QWidget* parent = nullptr);
    int Run() { return exec(); }

    void SetVersionLine(const std::string& text) override;
    void SetBackendLine(const std::string& text) override;
    void SetSessionLine(const std::string& text) override;
    void AddColumn(const std::string& header) override;
    void AddRow(const std::string& plugin, const std::string& version) override;
    void SetRowState(const std::string& state) override;

private:
    QLabel* version_;
    QLabel* backend_;
    QLabel* session_ = nullptr;
    QWidget* close_;
    QTreeWidget* list_;
    QStringList headers_;
};
