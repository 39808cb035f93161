#include "QtSkinSetting.h"

#include "DialogUnits.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>

using settings_qt::Place;
using settings_qt::Px;

std::string CQtFolderBrowser::BrowseForFolder(const std::string& title) {
    const QString start = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileDialog::getExistingDirectory(nullptr, QString::fromStdString(title), start).toStdString();
}

CQtSkinSetting::CQtSkinSetting(CSkinSetting& logic, QWidget* parent) : QDialog(parent), logic_(logic) {
    setWindowTitle("Skin");
    setObjectName("SkinSetting");
    setModal(false);
    setFixedSize(Px(187), Px(130));
    Place(new QLabel("Load Skin from Directory:", this), 7, 2, 90, 8);
    folder_ = new QLineEdit(this);
    folder_->setObjectName("SkinFolder");
    Place(folder_, 7, 10, 161, 12);
    auto* browse = new QPushButton("...", this);
    Place(browse, 168, 11, 12, 12);
    Place(new QLabel("Skin:", this), 7, 23, 20, 8);
    list_ = new QListWidget(this);
    list_->setObjectName("SkinList");
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Place(list_, 7, 32, 173, 71);
    auto* close = new QPushButton("Close", this);
    close->setDefault(true);
    Place(close, 130, 110, 50, 13);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(browse, &QPushButton::clicked, this, [this] { logic_.OnBrowse(); });
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = list_->selectedItems();
        if (!selected.isEmpty()) logic_.OnSelectionChanged(selected.first()->text().toStdString());
    });
    logic_.OnInitDialog(*this);
}

void CQtSkinSetting::SetFolderText(const std::string& folder) { folder_->setText(QString::fromStdString(folder)); }

void CQtSkinSetting::ClearList() {
    const QSignalBlocker block(list_);
    list_->clear();
}

void CQtSkinSetting::AppendListItem(const std::string& text) { list_->addItem(QString::fromStdString(text)); }

void CQtSkinSetting::SelectListItem(int index) {
    // Marking the current skin is not a choice of the user: no switch.
    const QSignalBlocker block(list_);
    list_->setCurrentRow(index);
}

void CQtSkinSetting::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    logic_.OnShowWindow();
}

void CQtSkinSetting::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    logic_.OnShowWindow();
}
