#include "QtSettingDialog.h"

#include "DialogUnits.h"
#include "QtGeneralPage.h"
#include "SettingDialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

using settings_qt::Place;
using settings_qt::Px;

namespace {

// Where every page sits in the dialog's client area.
constexpr int kPageX = 154;
constexpr int kPageY = 47;

}  // namespace

CQtSettingDialog::CQtSettingDialog(CSettingDialog& logic, QIcon applicationIcon, QWidget* parent)
    : QDialog(parent), logic_(logic), applicationIcon_(std::move(applicationIcon)) {
    setWindowTitle("Setting");
    setObjectName("SettingDialog");
    setFixedSize(Px(323), Px(251));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    pageList_ = new QListWidget(this);
    pageList_->setObjectName("PageList");
    pageList_->setViewMode(QListView::IconMode);
    pageList_->setIconSize(QSize(32, 32));
    pageList_->setFlow(QListView::TopToBottom);
    pageList_->setWrapping(false);
    pageList_->setMovement(QListView::Static);
    pageList_->setSelectionMode(QAbstractItemView::SingleSelection);
    pageList_->setGridSize(QSize(Px(60), 64));
    pageList_->setItemAlignment(Qt::AlignHCenter);
    Place(pageList_, 7, 7, 63, 237);

    caption_ = new QLabel(this);
    caption_->setObjectName("Caption");
    caption_->setAlignment(Qt::AlignCenter);
    Place(caption_, 78, 7, 238, 13);

    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    Place(ok_, 160, 228, 50, 16);
    auto* cancel = new QPushButton("Cancel", this);
    Place(cancel, 213, 228, 50, 16);
    apply_ = new QPushButton("Apply", this);
    apply_->setEnabled(false);
    Place(apply_, 266, 228, 50, 16);

    connect(pageList_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = pageList_->selectedItems();
        logic_.OnItemChangedPageList(selected.isEmpty() ? -1 : pageList_->row(selected.first()));
    });
    connect(ok_, &QPushButton::clicked, this, [this] { logic_.OnOK(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(apply_, &QPushButton::clicked, this, [this] { logic_.OnApplyClicked(); });
}

bool CQtSettingDialog::Open() { return logic_.OnInitDialog(*this); }

int CQtSettingDialog::Run() {
    const int result = logic_.DoModal([this] {
        Open();
        return exec();
    });
    TearDown();
    return result == CSettingDialog::IDOK ? CSettingDialog::IDOK : CSettingDialog::IDCANCEL;
}

void CQtSettingDialog::TearDown() {
    logic_.OnDestroy();
    delete generalPage_;
    generalPage_ = nullptr;
}

void CQtSettingDialog::ClearPageList() {
    const QSignalBlocker block(pageList_);
    pageList_->clear();
    icons_.clear();
}

int CQtSettingDialog::AddIconFile(const std::string& path) {
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) return -1;
    QIcon icon(file);
    if (icon.pixmap(32, 32).isNull()) return -1;
    icons_.append(icon);
    return static_cast<int>(icons_.size()) - 1;
}

int CQtSettingDialog::AddApplicationIcon() {
    icons_.append(applicationIcon_);
    return static_cast<int>(icons_.size()) - 1;
}

void CQtSettingDialog::InsertPageItem(int index, const std::string& text, int image) {
    const QSignalBlocker block(pageList_);
    auto* item = new QListWidgetItem(icons_.value(image), QString::fromStdString(text));
    item->setTextAlignment(Qt::AlignHCenter);
    pageList_->insertItem(index, item);
}

void CQtSettingDialog::PlacePage(QWidget* page) {
    if (page->parentWidget() != this) page->setParent(this);
    page->move(kPageX, kPageY);
    page->raise();
    page->show();
}

void CQtSettingDialog::ShowPluginPage(VARN_WINDOW page) { PlacePage(static_cast<QWidget*>(page)); }

void CQtSettingDialog::HidePluginPage(VARN_WINDOW page) {
    auto* widget = static_cast<QWidget*>(page);
    if (widget->isVisible()) widget->hide();
}

void CQtSettingDialog::CreateGeneralPage() {
    delete generalPage_;
    generalPage_ = new CQtGeneralPage(logic_.GeneralPage(), this);
    logic_.GeneralPage().OnInitDialog(*generalPage_, &logic_);
    generalPage_->move(kPageX, kPageY);
}

void CQtSettingDialog::ShowGeneralPage(bool show) {
    if (generalPage_ == nullptr) return;
    if (show) {
        PlacePage(generalPage_);
    } else {
        generalPage_->hide();
    }
}

void CQtSettingDialog::SetCaption(const std::string& text) { caption_->setText(QString::fromStdString(text)); }
void CQtSettingDialog::EnableOk(bool enable) { ok_->setEnabled(enable); }
void CQtSettingDialog::EnableApply(bool enable) { apply_->setEnabled(enable); }

void CQtSettingDialog::ShowMessage(const std::string& text) {
    QMessageBox::warning(this, QApplication::applicationName(), QString::fromStdString(text));
}

void CQtSettingDialog::EndDialog(int result) { done(result); }

void CQtSettingDialog::reject() {
    if (logic_.IsOpen()) {
        logic_.OnCancel();
    } else {
        QDialog::reject();
    }
}
